#pragma once
// The document of one open card file: the fourteen category arrays and the password state of the card
// store, shown in a document window of the plain or the encrypted type. It turns Open and Save into the
// card file reader and writer, asks for the password of an encrypted file, runs Encrypt On Save and moves
// itself between the two document types when what it shows changes.
//
// Failures follow the card file's ways: the reader's and writer's own messages are plain boxes with the
// caption "Error"; a cancelled prompt fails the open silently; a file that cannot be read or written gets
// the framework's one message with the reason. A failed save leaves the file on disk as it was.
#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "framework/document.h"

#include <cstdint>
#include <span>
#include <string>

class CCmdUI;
class CDocTemplate;
class CFrameWnd;

class CQuorrelDoc : public CDocument, public CCardStore {
public:
    // What Serialize works on: the whole file when loading, the destination when storing.
    struct Archive {
        bool bStoring = false;
        std::span<const uint8_t> file;
        CByteSink* pSink = nullptr;
        // The file name the password prompt names.
        std::string strFileTitle;
        // Where the card file code's messages go; empty: message boxes.
        MessageSink message;
    };

    CQuorrelDoc();
    ~CQuorrelDoc() override;

    // The archive entry of loading and storing; restarts the automatic save timer when that is switched
    // on. False when the read or the write failed (the user has been told, where there is anything to say).
    virtual bool Serialize(Archive& ar);
    bool OnOpenDocument(const std::string& strPathName) override;
    bool OnSaveDocument(const std::string& strPathName) override;

    // ID_FILE_ENCRYPTONSAVE and ID_ENCRYPT_FILE.
    void OnEncryptOnSave();
    // The cards rule: enabled exactly when the document holds a card.
    void OnUpdateNeedsCards(CCmdUI* pCmdUI);
    // Puts the document in the type that matches IsDisplayedEncrypted (path extension, recent-file list,
    // modified flag) and gives it a new document window of that type, made before the old one goes, so
    // the document is never left without a view. Save status and toolbar button follow.
    void UpdateEncryptionState();

    // The card files of the previous kind, deleted after the next successful save; empty when none.
    std::string m_strStalePlainPath;
    std::string m_strStaleEncryptedPath;

    // A path with its extension changed to strNewExt (".qrf" or ".qre"): a name that ends in the other
    // type's extension (compared without regard to case) gets it replaced, a name that already has the
    // new one stays, and any other name gets the new extension appended.
    static std::string ChangeCardFileExtension(const std::string& strPath, const std::string& strNewExt);

private:
    void DeleteStaleFiles(const std::string& strWrittenPath);
    // The document window to replace: the active one when it shows this document, else this document's
    // first.
    CFrameWnd* FindOwnFrame() const;
    void MoveToTemplate(CDocTemplate* pTarget, std::string& strStalePath, const std::string& strNewExt);
    void RemakeFrame(CDocTemplate* pTemplate);

    // The file on disk that holds this document: the one it was opened from or last saved to.
    std::string m_strFilePath;
};
