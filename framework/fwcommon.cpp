#include "framework/fwcommon.h"

#include "framework/framewnd.h"
#include "framework/modalrunner.h"
#include "framework/winapp.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

std::string AppTitle() {
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->GetAppName() : std::string();
}

QWidget* MessageOwner() { return AfxGetMainWnd(); }

void ReportFileError(bool bSave, const std::string& strPath, const std::string& strReason) {
    std::string strText = (bSave ? "Cannot save the file \"" : "Cannot open the file \"") + strPath + "\".";
    if (!strReason.empty()) {
        strText += "\n\n" + strReason;
        if (strText.back() != '.') {
            strText += '.';
        }
    }
    MessageBox(strText, AppTitle(), MB_OK | MB_ICONEXCLAMATION, MessageOwner());
}

std::string AbsolutePath(const std::string& strPath) {
    if (strPath.empty()) {
        return strPath;
    }
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(strPath), ec);
    if (ec) {
        path = std::filesystem::path(strPath);
    }
    std::string strResult = path.lexically_normal().string();
    // A trailing separator names the same place; keep "/" itself.
    while (strResult.size() > 1 && strResult.back() == '/') {
        strResult.pop_back();
    }
    return strResult;
}

std::string FileNameOf(const std::string& strPath) {
    const size_t nSlash = strPath.find_last_of('/');
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string ReadProblem(const std::string& strPath) {
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    struct stat st {};
    const bool bDir = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return bDir ? std::strerror(EISDIR) : std::string();
}

std::string PromptPart(const std::string& strResource) {
    const size_t nBreak = strResource.find('\n');
    return nBreak == std::string::npos ? strResource : strResource.substr(0, nBreak);
}

std::string TipPart(const std::string& strResource) {
    const size_t nBreak = strResource.find('\n');
    return nBreak == std::string::npos ? std::string() : strResource.substr(nBreak + 1);
}

}  // namespace fw
