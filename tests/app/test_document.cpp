// The document: Open with both readers and their prompt, Save through the safe writer, Encrypt On Save
// with its outcomes, the move between the two document types and the files it leaves on disk.
#include "tests/app/doc_fixture.h"

#include <QLineEdit>

namespace {

using doctest::Bytes;
using doctest::CDocFixture;
using doctest::EncryptionAnswer;
using doctest::EnterPassword;
using doctest::Exists;
using doctest::MakeCardFile;
using doctest::Marker;
using doctest::ReadFileBytes;
using doctest::WriteFileBytes;

constexpr char kRightPassword[] = "right password";
constexpr char kWrongPassword[] = "Password not correct,try again.";

// The cards of a card file on disk, read with the card store's reader.
int32_t CardsInFile(const std::string& path, const std::string& password = {}) {
    CCardStore store;
    const Bytes bytes = ReadFileBytes(path);
    const PasswordPrompt prompt = [&password]() -> std::optional<std::string> { return password; };
    if (!LoadCardFile(store, bytes, prompt, [](const std::string&) {})) {
        return -1;
    }
    return store.GetTotalCardCount();
}

class Document : public CDocFixture {
protected:
    bool IsPlainType(const CQuorrelDoc* pDoc) const {
        return pDoc->GetDocTemplate() == m_pApp->m_pPlainTemplate;
    }

    void ExpectOnlyMessage(size_t nFrom, const std::string& text, const std::string& caption) {
        ASSERT_EQ(m_runner.m_messages.size(), nFrom + 1)
            << "messages: " << ::testing::PrintToString(m_runner.MessageTexts());
        const fw::MessageBoxRequest& m = m_runner.m_messages[nFrom];
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.caption, caption);
        EXPECT_EQ(m.type & fw::MB_TYPEMASK, fw::MB_OK);
    }

    void AddCard(CQuorrelDoc* pDoc) {
        auto card = std::make_unique<CCard>();
        card->SetCategory("WWW Pages");
        card->SetField1("added");
        pDoc->GetCategoryArray(0).AddCard(std::move(card));
        pDoc->SetModifiedFlag();
    }
};

// ---- Open ---------------------------------------------------------------------------------------------

enum class FileKind { Plain, Encrypted, Empty, NotACardFile };
enum class Answer { NoPrompt, Right, Wrong, Empty, Cancel };

struct OpenCase {
    const char* name;
    FileKind kind;
    const char* fileName;
    Answer answer;
    bool bOpens;
    std::vector<std::string> messages; // each a plain box captioned "Error"
    bool bPlainType;
    bool bDisplayedEncrypted;
};

class OpenFile : public Document, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenFile, GivesTheExpectedDocumentOrFailsWithTheReadersMessages) {
    const OpenCase& c = GetParam();
    const std::string path = PathOf(c.fileName);
    switch (c.kind) {
    case FileKind::Plain:
        WriteFileBytes(path, MakeCardFile());
        break;
    case FileKind::Encrypted:
        WriteFileBytes(path, MakeCardFile(kRightPassword));
        break;
    case FileKind::Empty:
        WriteFileBytes(path, {});
        break;
    case FileKind::NotACardFile:
        WriteFileBytes(path, Bytes{'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd', '\n'});
        break;
    }
    switch (c.answer) {
    case Answer::NoPrompt:
        break;
    case Answer::Right:
        m_runner.m_dialogHandlers.push_back(EnterPassword(kRightPassword));
        break;
    case Answer::Wrong:
        m_runner.m_dialogHandlers.push_back(EnterPassword("Right Password"));
        break;
    case Answer::Empty:
        m_runner.m_dialogHandlers.push_back(EnterPassword(""));
        break;
    case Answer::Cancel:
        m_runner.m_dialogHandlers.push_back(doctest::Cancel());
        break;
    }
    const Bytes before = ReadFileBytes(path);

    CQuorrelDoc* pDoc = Open(path);

    if (c.answer == Answer::NoPrompt) {
        EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
    } else {
        ASSERT_EQ(m_runner.m_dialogCaptions.size(), 1u);
        EXPECT_EQ(m_runner.m_dialogCaptions[0], std::string("Decryption Password for file: ") + c.fileName);
    }
    EXPECT_EQ(m_runner.MessageTexts(), c.messages);
    for (const fw::MessageBoxRequest& m : m_runner.m_messages) {
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.owner, nullptr);
        EXPECT_EQ(m.type & fw::MB_TYPEMASK, fw::MB_OK);
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    if (!c.bOpens) {
        EXPECT_EQ(pDoc, nullptr);
        EXPECT_EQ(OpenDocumentCount(), 0u);
        EXPECT_TRUE(m_pMain->GetMDIChildren().empty());
        return;
    }
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetTotalCardCount(), 1);
    EXPECT_EQ(pDoc->GetPathName(), path);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(IsPlainType(pDoc), c.bPlainType);
    EXPECT_EQ(pDoc->IsDisplayedEncrypted(), c.bDisplayedEncrypted);
    EXPECT_EQ(pDoc->m_strPassword, c.bDisplayedEncrypted ? kRightPassword : "");
    Activate(pDoc);
    EXPECT_EQ(SaveStatusText(), c.bDisplayedEncrypted ? "(Encrypted)" : "(Not Encrypted)");
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenFile,
    ::testing::Values(
        OpenCase{"Plain", FileKind::Plain, "cards.qrf", Answer::NoPrompt, true, {}, true, false},
        OpenCase{"Encrypted", FileKind::Encrypted, "bank.qre", Answer::Right, true, {}, false, true},
        OpenCase{"WrongPassword",
                 FileKind::Encrypted,
                 "bank.qre",
                 Answer::Wrong,
                 false,
                 {kWrongPassword},
                 false,
                 false},
        OpenCase{"EmptyEntry",
                 FileKind::Encrypted,
                 "bank.qre",
                 Answer::Empty,
                 false,
                 {"You must enter a password!", kWrongPassword},
                 false,
                 false},
        OpenCase{"CancelledPrompt", FileKind::Encrypted, "bank.qre", Answer::Cancel, false, {}, false, false},
        OpenCase{"NotACardFile",
                 FileKind::NotACardFile,
                 "notes.qrf",
                 Answer::NoPrompt,
                 false,
                 {"File is not a Quorrel file!"},
                 true,
                 false},
        OpenCase{"EmptyFile", FileKind::Empty, "empty.qrf", Answer::NoPrompt, false, {}, true, false},
        // The reader goes by the marker, the document type by the name; Open never moves a document.
        OpenCase{"EncryptedBehindAPlainName",
                 FileKind::Encrypted,
                 "bank.qrf",
                 Answer::Right,
                 true,
                 {},
                 true,
                 true}),
    [](const ::testing::TestParamInfo<OpenCase>& info) { return std::string(info.param.name); });

// ---- Encrypt On Save ------------------------------------------------------------------------------------

struct EncryptCase {
    const char* name;
    bool bStartEncrypted; // "doc.qre" under kRightPassword, else the plain "doc.qrf"
    bool bCancel;
    bool bCheck;
    const char* key;
    const char* confirm;
    const char* message; // shown by the main frame, or null
    int32_t flag;
    const char* password;
    bool bPlainType;
    bool bModified;
};

class EncryptOnSave : public Document, public ::testing::WithParamInterface<EncryptCase> {};

TEST_P(EncryptOnSave, SetsFlagPasswordTypeAndDisplayAsTheAnswerSays) {
    const EncryptCase& c = GetParam();
    const std::string plainPath = PathOf("doc.qrf");
    const std::string encryptedPath = PathOf("doc.qre");
    if (c.bStartEncrypted) {
        WriteFileBytes(encryptedPath, MakeCardFile(kRightPassword));
        m_runner.m_dialogHandlers.push_back(EnterPassword(kRightPassword));
    } else {
        WriteFileBytes(plainPath, MakeCardFile());
    }
    CQuorrelDoc* pDoc = Open(c.bStartEncrypted ? encryptedPath : plainPath);
    ASSERT_NE(pDoc, nullptr);
    m_runner.m_dialogHandlers.push_back(c.bCancel ? doctest::Cancel()
                                                  : EncryptionAnswer(c.bCheck, c.key, c.confirm));

    ASSERT_TRUE(Send(pDoc, ID_FILE_ENCRYPTONSAVE));

    if (c.message) {
        ExpectOnlyMessage(0, c.message, m_pApp->GetAppName());
        EXPECT_EQ(m_runner.m_messages[0].caption, "Quorrel");
    } else {
        EXPECT_TRUE(m_runner.m_messages.empty()) << ::testing::PrintToString(m_runner.MessageTexts());
    }
    EXPECT_EQ(pDoc->m_bEncryptOnSave, c.flag);
    EXPECT_EQ(pDoc->m_strPassword, c.password);
    EXPECT_EQ(IsPlainType(pDoc), c.bPlainType);
    EXPECT_EQ(pDoc->IsModified(), c.bModified);
    EXPECT_EQ(pDoc->GetPathName(), c.bPlainType ? plainPath : encryptedPath);
    const bool bShown = pDoc->IsDisplayedEncrypted();
    EXPECT_EQ(SaveStatusText(), bShown ? "(Encrypted)" : "(Not Encrypted)");
    EXPECT_EQ(EncryptButtonImage(), bShown ? m_pMain->GetEncryptedImage() : 3);
    // The document kept one window through the switch, and nothing was written or deleted yet.
    EXPECT_EQ(OpenDocumentCount(), 1u);
    EXPECT_EQ(pDoc->GetFrames().size(), 1u);
    EXPECT_EQ(m_pMain->GetMDIChildren().size(), 1u);
    EXPECT_EQ(Exists(plainPath), !c.bStartEncrypted);
    EXPECT_EQ(Exists(encryptedPath), c.bStartEncrypted);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, EncryptOnSave,
    ::testing::Values(
        EncryptCase{"PlainToEncrypted", false, false, true, "eight ch", "eight ch", nullptr, 1, "eight ch",
                    false, true},
        EncryptCase{"PlainMismatch", false, false, true, "password one", "password two",
                    "Password not correct, try again!", 0, "", true, false},
        EncryptCase{"PlainTooShort", false, false, true, "7 bytes", "7 bytes",
                    "Password to short, please use more characters!", 1, "", true, false},
        EncryptCase{"PlainStaysPlain", false, false, false, "", "", nullptr, 0, "", true, true},
        EncryptCase{"EncryptedMismatch", true, false, true, "password one", "password One",
                    "Password not correct, try again!", 0, "", true, true},
        EncryptCase{"EncryptedTooShort", true, false, true, "short", "short",
                    "Password to short, please use more characters!", 1, kRightPassword, false, false},
        EncryptCase{"EncryptedNewPassword", true, false, true, "another password", "another password",
                    nullptr, 1, "another password", false, true},
        // The password stays in memory; the next save writes a plain file.
        EncryptCase{"EncryptedToPlain", true, false, false, "", "", nullptr, 0, kRightPassword, true, true},
        EncryptCase{"Cancelled", true, true, false, "", "", nullptr, 1, kRightPassword, false, false}),
    [](const ::testing::TestParamInfo<EncryptCase>& info) { return std::string(info.param.name); });

TEST_F(Document, EncryptionDialogStartsFromTheDocumentsState) {
    WriteFileBytes(PathOf("doc.qre"), MakeCardFile(kRightPassword));
    m_runner.m_dialogHandlers.push_back(EnterPassword(kRightPassword));
    CQuorrelDoc* pDoc = Open(PathOf("doc.qre"));
    ASSERT_NE(pDoc, nullptr);
    bool bChecked = false;
    std::string key;
    std::string confirm;
    m_runner.m_dialogHandlers.push_back([&](CDialog& dlg) {
        bChecked = doctest::IsChecked(dlg, IDC_ENCRYPT_ON_SAVE);
        key = dlg.GetDlgItemText(IDC_KEY);
        confirm = dlg.GetDlgItemText(IDC_KEY_CONFIRM);
        return fw::IDCANCEL;
    });

    Send(pDoc, ID_ENCRYPT_FILE);

    EXPECT_TRUE(bChecked);
    EXPECT_EQ(key, kRightPassword);
    EXPECT_EQ(confirm, kRightPassword);
}

// ---- Files on disk across the switch -------------------------------------------------------------------

TEST_F(Document, SavedPlainFileSwitchedAndSavedLeavesOnlyTheFileOfTheNewKind) {
    const std::string plainPath = PathOf("cards.qrf");
    const std::string encryptedPath = PathOf("cards.qre");
    WriteFileBytes(plainPath, MakeCardFile());
    CQuorrelDoc* pDoc = Open(plainPath);
    ASSERT_NE(pDoc, nullptr);

    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(true, "eight ch", "eight ch"));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    EXPECT_EQ(pDoc->GetTitle(), "cards.qre");
    ASSERT_FALSE(m_pApp->GetRecentFileList().empty());
    EXPECT_EQ(m_pApp->GetRecentFileList().front(), encryptedPath);
    ASSERT_TRUE(Send(pDoc, ID_FILE_SAVE));
    EXPECT_EQ(Marker(encryptedPath), "ENCRYPTED");
    EXPECT_EQ(CardsInFile(encryptedPath, "eight ch"), 1);
    EXPECT_FALSE(Exists(plainPath));
    EXPECT_FALSE(pDoc->IsModified());

    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(false));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    EXPECT_EQ(pDoc->GetPathName(), plainPath);
    EXPECT_TRUE(Exists(encryptedPath)); // only the next successful save removes it
    ASSERT_TRUE(Send(pDoc, ID_FILE_SAVE));
    EXPECT_EQ(Marker(plainPath), "NTENCRYPT");
    EXPECT_EQ(CardsInFile(plainPath), 1);
    EXPECT_FALSE(Exists(encryptedPath));
    EXPECT_TRUE(m_runner.m_messages.empty()) << ::testing::PrintToString(m_runner.MessageTexts());
}

TEST_F(Document, SwitchingThereAndBackBeforeASaveDeletesNoFile) {
    const std::string plainPath = PathOf("cards.qrf");
    const std::string otherPath = PathOf("cards.qre");
    WriteFileBytes(plainPath, MakeCardFile());
    // Another card file of the user's that happens to share the name: this document never wrote it.
    const Bytes other = MakeCardFile("its own password", "another file");
    WriteFileBytes(otherPath, other);
    CQuorrelDoc* pDoc = Open(plainPath);
    ASSERT_NE(pDoc, nullptr);

    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(true, "eight ch", "eight ch"));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(false));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    ASSERT_EQ(pDoc->GetPathName(), plainPath);
    ASSERT_TRUE(Send(pDoc, ID_FILE_SAVE));

    EXPECT_EQ(Marker(plainPath), "NTENCRYPT");
    EXPECT_EQ(ReadFileBytes(otherPath), other);
}

TEST_F(Document, FailedWriteKeepsTheFileOnDiskAndTheStaleFileUntilASaveSucceeds) {
    const std::string plainPath = PathOf("cards.qrf");
    const std::string encryptedPath = PathOf("cards.qre");
    const Bytes plain = MakeCardFile();
    WriteFileBytes(plainPath, plain);
    CQuorrelDoc* pDoc = Open(plainPath);
    ASSERT_NE(pDoc, nullptr);
    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(true, "eight ch", "eight ch"));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);

    CSafeFileWriter::SetFailAfterForTesting(30); // inside the body, as on a full disk
    Send(pDoc, ID_FILE_SAVE);
    ASSERT_EQ(m_runner.m_messages.size(), 1u) << ::testing::PrintToString(m_runner.MessageTexts());
    EXPECT_EQ(m_runner.m_messages[0].text.rfind("Cannot save the file \"" + encryptedPath + "\".", 0), 0u)
        << m_runner.m_messages[0].text;
    EXPECT_GT(m_runner.m_messages[0].text.size(), ("Cannot save the file \"" + encryptedPath + "\".").size());
    EXPECT_FALSE(Exists(encryptedPath));
    EXPECT_EQ(ReadFileBytes(plainPath), plain);
    EXPECT_TRUE(pDoc->IsModified());

    CSafeFileWriter::SetFailAfterForTesting(std::nullopt);
    ASSERT_TRUE(Send(pDoc, ID_FILE_SAVE));
    EXPECT_EQ(CardsInFile(encryptedPath, "eight ch"), 1);
    EXPECT_FALSE(Exists(plainPath));

    // A failure while replacing an existing file leaves that file as it was, byte for byte.
    const Bytes saved = ReadFileBytes(encryptedPath);
    AddCard(pDoc);
    CSafeFileWriter::SetFailAfterForTesting(30);
    Send(pDoc, ID_FILE_SAVE);
    EXPECT_EQ(ReadFileBytes(encryptedPath), saved);
    EXPECT_TRUE(pDoc->IsModified());
    // No temporary file is left beside it.
    int nEntries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_strDir)) {
        ++nEntries;
    }
    EXPECT_EQ(nEntries, 2); // the card file and the settings folder
}

TEST_F(Document, TooShortPasswordThenSaveSaysThePasswordIsNotSetAndLeavesTheFile) {
    const std::string path = PathOf("cards.qrf");
    const Bytes before = MakeCardFile();
    WriteFileBytes(path, before);
    CQuorrelDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(true, "7 bytes", "7 bytes"));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    ASSERT_EQ(pDoc->m_bEncryptOnSave, 1);
    EXPECT_EQ(SaveStatusText(), "(Not Encrypted)");
    const size_t nBefore = m_runner.m_messages.size();

    Send(pDoc, ID_FILE_SAVE);

    ExpectOnlyMessage(nBefore, "The encryption password is not set.", "Error");
    EXPECT_EQ(m_runner.m_messages[nBefore].owner, nullptr);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(pDoc->GetPathName(), path);
}

TEST_F(Document, NewDocumentSwitchedToEncryptedKeepsNoPathAndSaveAsksForOne) {
    m_pApp->OnFileNew();
    fwtest::ProcessEvents();
    ASSERT_EQ(m_pApp->m_pPlainTemplate->GetDocuments().size(), 1u);
    auto* pDoc = dynamic_cast<CQuorrelDoc*>(m_pApp->m_pPlainTemplate->GetDocuments().front());
    ASSERT_NE(pDoc, nullptr);
    AddCard(pDoc);

    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(true, "eight ch", "eight ch"));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    EXPECT_EQ(SaveStatusText(), "(Encrypted)");
    EXPECT_FALSE(IsPlainType(pDoc));
    EXPECT_EQ(pDoc->GetPathName(), "");

    const std::string path = PathOf("new.qre");
    m_runner.m_fileAnswers.push_back(path);
    ASSERT_TRUE(Send(pDoc, ID_FILE_SAVE));
    ASSERT_EQ(m_runner.m_fileDialogs.size(), 1u);
    EXPECT_EQ(m_runner.m_fileDialogs[0].defaultExtension, ".qre");
    EXPECT_EQ(Marker(path), "ENCRYPTED");
    EXPECT_EQ(CardsInFile(path, "eight ch"), 1);
    EXPECT_EQ(pDoc->GetPathName(), path);
}

TEST_F(Document, NameWithoutACardFileExtensionGetsOneAppendedAndStaysInItsFolder) {
    const std::string path = PathOf("a");
    WriteFileBytes(path, MakeCardFile());
    CQuorrelDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(true, "eight ch", "eight ch"));
    Send(pDoc, ID_FILE_ENCRYPTONSAVE);
    EXPECT_EQ(pDoc->GetPathName(), path + ".qre");

    ASSERT_TRUE(Send(pDoc, ID_FILE_SAVE));
    EXPECT_EQ(CardsInFile(path + ".qre", "eight ch"), 1);
    // Cutting the last four characters would have written beside the card file's folder.
    EXPECT_FALSE(Exists(m_strDir.substr(0, m_strDir.size() - 2) + ".qre"));
}

TEST_F(Document, UncheckingOnAPlainDocumentMovesNeitherDocument) {
    WriteFileBytes(PathOf("plain.qrf"), MakeCardFile());
    WriteFileBytes(PathOf("secret.qre"), MakeCardFile(kRightPassword));
    CQuorrelDoc* pPlain = Open(PathOf("plain.qrf"));
    m_runner.m_dialogHandlers.push_back(EnterPassword(kRightPassword));
    CQuorrelDoc* pEncrypted = Open(PathOf("secret.qre"));
    ASSERT_NE(pPlain, nullptr);
    ASSERT_NE(pEncrypted, nullptr);
    const std::vector<CFrameWnd*> encryptedFrames = pEncrypted->GetFrames();

    m_runner.m_dialogHandlers.push_back(EncryptionAnswer(false));
    Send(pPlain, ID_FILE_ENCRYPTONSAVE);

    EXPECT_TRUE(IsPlainType(pPlain));
    EXPECT_FALSE(IsPlainType(pEncrypted));
    EXPECT_EQ(pPlain->GetPathName(), PathOf("plain.qrf"));
    EXPECT_EQ(pEncrypted->GetPathName(), PathOf("secret.qre"));
    EXPECT_EQ(pEncrypted->GetFrames(), encryptedFrames);
    EXPECT_EQ(m_pMain->GetMDIChildren().size(), 2u);
    EXPECT_EQ(SaveStatusText(), "(Not Encrypted)");
}

// ---- The cards rule and the automatic save ----------------------------------------------------------------

class CardsRule : public Document, public ::testing::WithParamInterface<int> {};

TEST_P(CardsRule, EnablesTheCommandExactlyWhenTheDocumentHoldsACard) {
    m_pApp->OnFileNew();
    fwtest::ProcessEvents();
    auto* pDoc = dynamic_cast<CQuorrelDoc*>(m_pApp->m_pPlainTemplate->GetDocuments().front());
    ASSERT_NE(pDoc, nullptr);
    const int nID = GetParam();
    auto enabled = [&] {
        CCmdUI cmdUI(nID);
        cmdUI.NoteHandler(); // the handler may live elsewhere on the route; the rule is the document's
        pDoc->OnCmdMsg(nID, &cmdUI);
        EXPECT_TRUE(cmdUI.HasRuleRun());
        return cmdUI.IsEnabled();
    };
    EXPECT_FALSE(enabled());
    AddCard(pDoc);
    EXPECT_TRUE(enabled());
}

INSTANTIATE_TEST_SUITE_P(Commands, CardsRule,
                         ::testing::Values(ID_FILE_ENCRYPTONSAVE, ID_PRINT_PREVIEW, ID_ENCRYPT_FILE,
                                           ID_FIND_CARD, ID_FILE_PRINT, ID_FILE_PRINT_SETUP, ID_FILE_SAVE,
                                           ID_FILE_SAVE_AS, ID_EDIT_FIND));

TEST_F(Document, EmptyDocumentCannotBeSavedOrEncryptedFromTheMenus) {
    m_pApp->OnFileNew();
    fwtest::ProcessEvents();
    auto* pDoc = dynamic_cast<CQuorrelDoc*>(m_pApp->m_pPlainTemplate->GetDocuments().front());
    ASSERT_NE(pDoc, nullptr);
    Activate(pDoc);

    EXPECT_FALSE(Send(pDoc, ID_FILE_SAVE));
    EXPECT_FALSE(Send(pDoc, ID_ENCRYPT_FILE));
    EXPECT_TRUE(m_runner.m_fileDialogs.empty());
    EXPECT_TRUE(m_runner.m_dialogCaptions.empty());
}

struct AutoSaveCase {
    const char* stored; // null: not stored
    bool bStarts;
};

class AutoSaveTimer : public Document, public ::testing::WithParamInterface<AutoSaveCase> {};

TEST_P(AutoSaveTimer, OpenAndSaveRestartItOnlyWhenTheSettingIsExactlyOne) {
    if (GetParam().stored) {
        settings::WriteText(settings::kSectionInternet, settings::kKeyAutoSaveCheck, GetParam().stored);
    }
    const std::string path = PathOf("cards.qrf");
    WriteFileBytes(path, MakeCardFile());

    CQuorrelDoc* pDoc = Open(path);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(m_pMain->IsAutoSaveTimerActive(), GetParam().bStarts);
    EXPECT_EQ(m_pMain->GetAutoSaveTimerInterval(), GetParam().bStarts ? 60000 : 0);

    Send(pDoc, ID_FILE_SAVE);
    EXPECT_EQ(m_pMain->IsAutoSaveTimerActive(), GetParam().bStarts);
}

INSTANTIATE_TEST_SUITE_P(Values, AutoSaveTimer,
                         ::testing::Values(AutoSaveCase{nullptr, false}, AutoSaveCase{"0", false},
                                           AutoSaveCase{"1", true}, AutoSaveCase{"2", false}));

// ---- The extension of a switched document
// ------------------------------------------------------------------

struct ExtensionCase {
    const char* name;
    const char* path;
    const char* newExt;
    const char* result;
};

class ExtensionChange : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionChange, ReplacesOnlyTheOtherTypesExtension) {
    EXPECT_EQ(CQuorrelDoc::ChangeCardFileExtension(GetParam().path, GetParam().newExt), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExtensionChange,
    ::testing::Values(ExtensionCase{"PlainToEncrypted", "/home/u/cards.qrf", ".qre", "/home/u/cards.qre"},
                      ExtensionCase{"EncryptedToPlain", "/home/u/cards.qre", ".qrf", "/home/u/cards.qrf"},
                      ExtensionCase{"UpperCase", "/home/u/CARDS.QRF", ".qre", "/home/u/CARDS.qre"},
                      ExtensionCase{"MixedCase", "/home/u/cards.Qre", ".qrf", "/home/u/cards.qrf"},
                      ExtensionCase{"NoExtension", "/home/u/a", ".qre", "/home/u/a.qre"},
                      ExtensionCase{"OtherExtension", "/home/u/notes.txt", ".qrf", "/home/u/notes.txt.qrf"},
                      ExtensionCase{"AlreadyThere", "/home/u/cards.qre", ".qre", "/home/u/cards.qre"},
                      ExtensionCase{"LongerExtension", "/home/u/x.qrfz", ".qre", "/home/u/x.qrfz.qre"}),
    [](const ::testing::TestParamInfo<ExtensionCase>& info) { return std::string(info.param.name); });

} // namespace
