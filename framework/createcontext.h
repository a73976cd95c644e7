#pragma once
// What a template hands to a new frame while it is made: the document, the template, how to make the
// first view, and the frame it replaces (if any). Frames pass it on to OnCreateClient and to the views
// they create, which attach themselves to the document.
#include <functional>

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;

using ViewFactory = std::function<CView*()>;

struct CCreateContext {
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    ViewFactory m_pNewViewClass;
    CFrameWnd* m_pCurrentFrame = nullptr;
    CView* m_pLastView = nullptr;
};
