#include "framework/clipboard.h"

#include "framework/textcodec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <new>

bool CClipboard::Open(QWidget* /*owner*/) {
    // Qt's clipboard is never held by another program; without an application there is none at all.
    m_bOpen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    return m_bOpen;
}

bool CClipboard::Allocate(size_t n) {
    try {
        m_block.assign(n, '\0');
    } catch (const std::bad_alloc&) {
        m_block.clear();
        m_bAllocated = false;
        return false;
    }
    m_bAllocated = true;
    return true;
}

bool CClipboard::SetText(const std::string& bytes, bool secret) {
    if (!m_bOpen || !m_bAllocated || m_block.size() < bytes.size()) {
        return false;
    }
    auto* mime = new QMimeData;
    mime->setText(fw::BytesToQString(bytes));
    if (secret) {
        mime->setData(QString::fromLatin1(fw::kPasswordHintMime), QByteArrayLiteral("secret"));
    }
    QGuiApplication::clipboard()->setMimeData(mime); // the clipboard owns it now
    return true;
}

void CClipboard::Close() {
    m_bOpen = false;
    m_bAllocated = false;
    // Our copy of the text leaves memory with the step that needed it.
    std::fill(m_block.begin(), m_block.end(), '\0');
    m_block.clear();
    m_block.shrink_to_fit();
}

bool CFakeClipboard::Open(QWidget* /*owner*/) {
    m_steps.push_back("open");
    m_bOpen = !m_bFailOpen;
    return m_bOpen;
}

bool CFakeClipboard::Allocate(size_t n) {
    m_steps.push_back("allocate " + std::to_string(n));
    if (m_bFailAllocate) {
        m_bAllocated = false;
        return false;
    }
    m_nAllocated = n;
    m_bAllocated = true;
    return true;
}

bool CFakeClipboard::SetText(const std::string& bytes, bool secret) {
    m_steps.push_back("set");
    if (m_bFailSet || !m_bOpen || !m_bAllocated || m_nAllocated < bytes.size()) {
        return false;
    }
    m_bHasText = true;
    m_strText = bytes;
    m_bSecret = secret;
    return true;
}

void CFakeClipboard::Close() {
    m_steps.push_back("close");
    m_bOpen = false;
    m_bAllocated = false;
}

namespace fw {

namespace {
CClipboard g_realClipboard;
CClipboard* g_pClipboard = nullptr;
} // namespace

CClipboard& GetClipboard() {
    return g_pClipboard ? *g_pClipboard : g_realClipboard;
}

void SetClipboard(CClipboard* clipboard) {
    g_pClipboard = clipboard;
}

} // namespace fw
