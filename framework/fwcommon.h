#pragma once
// Small helpers shared by the framework's own classes (not part of the program's interface).
#include <string>

class QWidget;

namespace fw {

// The application's name for message captions ("Quorrel"), empty without an application object.
std::string AppTitle();
// The main window as the owner of the framework's messages, or null.
QWidget* MessageOwner();
// The framework's message for a file that cannot be opened or saved, with the reason when known.
void ReportFileError(bool bSave, const std::string& strPath, const std::string& strReason);
// The path made absolute and lexically normal (no "." or ".." parts); empty stays empty.
std::string AbsolutePath(const std::string& strPath);
// The last part of a path.
std::string FileNameOf(const std::string& strPath);
// Why a file cannot be read ("No such file or directory"), empty when it can.
std::string ReadProblem(const std::string& strPath);
// The first line of a "prompt\ntip" string, and the second.
std::string PromptPart(const std::string& strResource);
std::string TipPart(const std::string& strResource);

}  // namespace fw
