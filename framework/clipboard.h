#pragma once
// The clipboard with the classic steps: open, allocate a block, set the text, close. Each step can fail
// and the caller reports which; tests replace the clipboard to make any step fail.
#include <QPointer>
#include <cstddef>
#include <string>
#include <vector>

class QWidget;

class CClipboard {
public:
    virtual ~CClipboard() = default;
    virtual bool Open(QWidget* owner);
    // Room for n bytes of text; fails when the memory cannot be had.
    virtual bool Allocate(size_t n);
    // The text's bytes, without a terminator. Fails unless the clipboard is open and a block was
    // allocated for at least these bytes. A secret text is marked so clipboard managers keep it out of
    // their history.
    virtual bool SetText(const std::string& bytes, bool secret);
    virtual void Close();
    bool IsOpen() const { return m_bOpen; }

protected:
    bool m_bOpen = false;
    std::vector<char> m_block;
    bool m_bAllocated = false;
};

// For tests: records the steps and what was set, and fails the steps it is told to.
class CFakeClipboard : public CClipboard {
public:
    bool m_bFailOpen = false;
    bool m_bFailAllocate = false;
    bool m_bFailSet = false;
    std::vector<std::string> m_steps; // "open", "allocate 5", "set", "close" in order
    bool m_bHasText = false;
    std::string m_strText;
    bool m_bSecret = false;
    size_t m_nAllocated = 0;

    bool Open(QWidget* owner) override;
    bool Allocate(size_t n) override;
    bool SetText(const std::string& bytes, bool secret) override;
    void Close() override;
};

namespace fw {
CClipboard& GetClipboard();
// Installs a replacement (a test's); null puts the system clipboard back. The caller keeps ownership.
void SetClipboard(CClipboard* clipboard);
// The MIME type and value that mark a secret text for clipboard managers.
inline constexpr const char* kPasswordHintMime = "x-kde-passwordManagerHint";
} // namespace fw
