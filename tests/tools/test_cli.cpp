// quorrel-cli end to end: the built program, run on small files in a temporary folder.
#include <iconv.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cardstore/cardfile.h"
#include "cardstore/cardstore.h"
#include "cardstore/categories.h"
#include "clirunner.h"

namespace {

using Json = nlohmann::ordered_json;

const char kPassword[] = "  battery staple "; // the blanks belong to it

struct CardTexts {
    std::string category;
    std::string date;
    std::string field1, field2, field3, field4;
    std::string note;
    int autoAccess = 0;
    int newWindow = 0;
};

// Cards in the order given, each appended to its category's array, written by the card store's writer.
std::vector<uint8_t> MakeCardFile(const std::vector<CardTexts>& cards, const std::string& password = {}) {
    CCardStore store;
    for (const CardTexts& texts : cards) {
        auto card = std::make_unique<CCard>();
        card->SetCategory(texts.category);
        card->SetDate(texts.date);
        card->SetField1(texts.field1);
        card->SetField2(texts.field2);
        card->SetField3(texts.field3);
        card->SetField4(texts.field4);
        card->SetNote(texts.note);
        card->SetAutoAccess(texts.autoAccess);
        card->SetNewWindow(texts.newWindow);
        store.GetCategoryArray(FindCategoryIndex(texts.category)).AddCard(std::move(card));
    }
    CMemorySink sink;
    store.m_strPassword = password;
    const bool ok = password.empty() ? SavePlain(store, sink, {}) : SaveEncrypted(store, sink, {});
    EXPECT_TRUE(ok);
    return sink.m_bytes;
}

Json CardJson(const CardTexts& c) {
    Json j;
    j["category"] = c.category;
    j["date"] = c.date;
    j["field1"] = c.field1;
    j["field2"] = c.field2;
    j["field3"] = c.field3;
    j["field4"] = c.field4;
    j["note"] = c.note;
    j["autoAccess"] = c.autoAccess;
    j["newWindow"] = c.newWindow;
    return j;
}

Json CardsJson(const std::vector<CardTexts>& cards) {
    Json list = Json::array();
    for (const CardTexts& c : cards)
        list.push_back(CardJson(c));
    Json root;
    root["cards"] = list;
    return root;
}

std::string Repeat(const std::string& s, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

unsigned Mode(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Two cards per kind of order the file keeps: a bank card added after a login card is stored before it,
// and cards of one category keep the order they were added in.
const std::vector<CardTexts> kSampleCards = {
    {"Login Accounts", "3/4/2005", "Work", "host.example", "me", "s3cret", "first login", 0, 0},
    {"Bank Accounts", "1/2/2003", "Bank", "0042", "Me", "DE00 1234", "line 1\r\nline 2", 0, 0},
    {"Login Accounts", "", "Home", "", "root", "toor", "", 0, 0},
    {"WWW Pages", "9/9/1999", "Shop", "https://shop.example", "buyer", "pw", "", 1, 1},
};
// The same cards in the order the file stores them.
const std::vector<CardTexts> kSampleCardsInFileOrder = {kSampleCards[3], kSampleCards[1], kSampleCards[0],
                                                        kSampleCards[2]};

class CliTest : public ::testing::Test {
protected:
    CTempDir m_dir;
};

// --- export ---------------------------------------------------------------------------------------------

TEST_F(CliTest, ExportPlainFileListsCardsInFileOrder) {
    const std::string file = m_dir.Path("cards.qrf");
    WriteBytes(file, MakeCardFile(kSampleCards));

    const CliResult r = RunCli({"export", file});
    EXPECT_EQ(r.nExit, 0);
    EXPECT_EQ(r.strErr, "");
    EXPECT_EQ(Json::parse(r.strOut), CardsJson(kSampleCardsInFileOrder));
}

struct PasswordCase {
    const char* name;
    std::string input;
    int exit;
    std::string err;
};

class CliEncryptedExport : public ::testing::TestWithParam<PasswordCase> {
protected:
    CTempDir m_dir;
};

TEST_P(CliEncryptedExport, AnswersToThePasswordLine) {
    const PasswordCase& c = GetParam();
    const std::string file = m_dir.Path("cards.qre");
    WriteBytes(file, MakeCardFile(kSampleCards, kPassword));

    const CliResult r = RunCli({"export", file, "--password-stdin"}, c.input);
    EXPECT_EQ(r.nExit, c.exit);
    EXPECT_EQ(r.strErr, c.err);
    if (c.exit == 0) {
        EXPECT_EQ(Json::parse(r.strOut), CardsJson(kSampleCardsInFileOrder));
    } else {
        EXPECT_EQ(r.strOut, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliEncryptedExport,
    ::testing::Values(
        PasswordCase{"LineFeed", std::string(kPassword) + "\n", 0, ""},
        PasswordCase{"CarriageReturnLineFeed", std::string(kPassword) + "\r\n", 0, ""},
        PasswordCase{"NoLineBreak", kPassword, 0, ""},
        PasswordCase{"OnlyTheFirstLine", std::string(kPassword) + "\nmore\n", 0, ""},
        PasswordCase{"Trimmed", "battery staple\n", 1, "quorrel-cli: Password not correct,try again.\n"},
        PasswordCase{"OtherCase", "  Battery staple \n", 1, "quorrel-cli: Password not correct,try again.\n"},
        PasswordCase{
            "EmptyLine", "\n", 1,
            "quorrel-cli: You must enter a password!\nquorrel-cli: Password not correct,try again.\n"},
        PasswordCase{"NoInput", "", 1, "quorrel-cli: no password on standard input\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, ExportEncryptedWithoutTerminalOrStdinFails) {
    const std::string file = m_dir.Path("cards.qre");
    WriteBytes(file, MakeCardFile(kSampleCards, kPassword));

    const CliResult r = RunCli({"export", file}, std::string(kPassword) + "\n");
    EXPECT_EQ(r.nExit, 1);
    EXPECT_EQ(r.strOut, "");
    EXPECT_NE(r.strErr.find("no terminal"), std::string::npos) << r.strErr;
    EXPECT_NE(r.strErr.find("--password-stdin"), std::string::npos) << r.strErr;
}

TEST_F(CliTest, ExportAsksOnTheTerminalWithEchoOff) {
    const std::string file = m_dir.Path("cards.qre");
    WriteBytes(file, MakeCardFile(kSampleCards, kPassword));

    const CliResult r = RunCliOnTerminal({"export", file}, {{"Password for", std::string(kPassword) + "\n"}});
    EXPECT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_EQ(Json::parse(r.strOut), CardsJson(kSampleCardsInFileOrder));
    EXPECT_EQ(r.strTty.find("battery"), std::string::npos) << "echoed: " << r.strTty;
}

TEST_F(CliTest, ExportDecodesWindows1252AndKeepsUtf8) {
    // Every byte above ASCII; glibc's converter is the reference for all but the five bytes the code
    // page leaves undefined, which become the control characters of the same number.
    std::string high, expected;
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    for (int b = 0x80; b <= 0xFF; ++b) {
        high += static_cast<char>(b);
        char in = static_cast<char>(b);
        char out[8];
        char* pin = &in;
        char* pout = out;
        size_t inLeft = 1, outLeft = sizeof out;
        if (iconv(cd, &pin, &inLeft, &pout, &outLeft) == static_cast<size_t>(-1)) {
            ASSERT_TRUE(b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) << b;
            expected += static_cast<char>(0xC2);
            expected += static_cast<char>(b);
        } else {
            expected.append(out, static_cast<size_t>(pout - out));
        }
    }
    iconv_close(cd);

    const std::string file = m_dir.Path("windows.qrf");
    CardTexts card{"Software Keys", "24.12.1998", "Z\xFCrich", "Zürich", "plain ascii", "\x80 5,-", high};
    WriteBytes(file, MakeCardFile({card}));

    const CliResult r = RunCli({"export", file});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    const Json parsed = Json::parse(r.strOut);
    const Json& got = parsed["cards"][0];
    EXPECT_EQ(got["field1"], "Zürich");
    EXPECT_EQ(got["field2"], "Zürich");
    EXPECT_EQ(got["field3"], "plain ascii");
    EXPECT_EQ(got["field4"], "€ 5,-");
    EXPECT_EQ(got["note"], expected);
}

TEST_F(CliTest, ExportToFileIsForTheOwnerOnly) {
    const std::string file = m_dir.Path("cards.qrf");
    WriteBytes(file, MakeCardFile(kSampleCards));
    const std::string fresh = m_dir.Path("fresh.json");
    const std::string existing = m_dir.Path("existing.json");
    WriteText(existing, "old");
    chmod(existing.c_str(), 0644);

    const std::string onStdout = RunCli({"export", file}).strOut;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", file, "-o", fresh}, {"export", "--output=" + existing, file}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.nExit, 0) << r.strErr;
        EXPECT_EQ(r.strOut, "");
    }
    for (const std::string& out : {fresh, existing}) {
        const std::vector<uint8_t> bytes = ReadBytes(out);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), onStdout) << out;
        EXPECT_EQ(Mode(out), 0600u) << out;
    }
}

TEST_F(CliTest, ExportRefusesToOverwriteTheCardFile) {
    const std::string file = m_dir.Path("cards.qrf");
    const std::vector<uint8_t> bytes = MakeCardFile(kSampleCards);
    WriteBytes(file, bytes);

    const CliResult r = RunCli({"export", file, "-o", m_dir.Path("./cards.qrf")});
    EXPECT_EQ(r.nExit, 1);
    EXPECT_EQ(ReadBytes(file), bytes);
}

// --- import ---------------------------------------------------------------------------------------------

TEST_F(CliTest, ImportWritesWhatTheWriterWritesAndExportsItBack) {
    // Non-ASCII texts, texts at their limits, flags in both spellings, fields left out.
    std::vector<CardTexts> cards = kSampleCards;
    cards[0].field4 = "pässwörd €100 日本 🔑";
    cards[1].note = "Überweisung – «wichtig»\n" + Repeat("n", 100);
    cards.push_back(
        {"Credit Cards", Repeat("d", 255), Repeat("1", 255), "", "", "", Repeat("n", 65535), 0, 0});
    Json input = CardsJson(cards);
    input["cards"][3]["autoAccess"] = true;
    input["cards"][3]["newWindow"] = true;
    input["cards"][2]["autoAccess"] = false;
    for (const char* key : {"date", "field2", "note", "newWindow"})
        input["cards"][2].erase(key);
    const std::string in = m_dir.Path("in.json");
    WriteText(in, input.dump());
    const std::vector<CardTexts> inFileOrder = {cards[3], cards[1], cards[0], cards[2], cards[4]};

    const std::string plain = m_dir.Path("out.qrf");
    const CliResult made = RunCli({"import", in, plain});
    ASSERT_EQ(made.nExit, 0) << made.strErr;
    EXPECT_EQ(made.strErr, "");
    EXPECT_EQ(ReadBytes(plain), MakeCardFile(cards));
    EXPECT_EQ(Mode(plain), 0600u);
    const CliResult back = RunCli({"export", plain});
    EXPECT_EQ(Json::parse(back.strOut), CardsJson(inFileOrder));

    const std::string encrypted = m_dir.Path("out.qre");
    const CliResult madeEncrypted =
        RunCli({"import", "--encrypt", in, encrypted, "--password-stdin"}, std::string(kPassword) + "\r\n");
    ASSERT_EQ(madeEncrypted.nExit, 0) << madeEncrypted.strErr;
    EXPECT_EQ(ReadBytes(encrypted), MakeCardFile(cards, kPassword));
    const CliResult backEncrypted =
        RunCli({"export", encrypted, "--password-stdin"}, std::string(kPassword) + "\n");
    EXPECT_EQ(Json::parse(backEncrypted.strOut), CardsJson(inFileOrder));
}

TEST_F(CliTest, ImportReadsStandardInput) {
    const std::string out = m_dir.Path("out.qrf");
    const CliResult r = RunCli({"import", "-", out}, CardsJson(kSampleCards).dump());
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    EXPECT_EQ(ReadBytes(out), MakeCardFile(kSampleCards));
}

TEST_F(CliTest, WindowsFileSurvivesExportAndImport) {
    // Decoded to UTF-8 a full field of accented letters no longer fits 255 bytes; it goes back in as the
    // bytes it came from, which read as the same text.
    const CardTexts card{"Personal Data", "", Repeat("\xE9", 255), "Z\xFCrich", "", "", "", 0, 0};
    const std::string original = m_dir.Path("windows.qrf");
    WriteBytes(original, MakeCardFile({card}));
    const std::string json = m_dir.Path("backup.json");
    ASSERT_EQ(RunCli({"export", original, "-o", json}).nExit, 0);

    const std::string restored = m_dir.Path("restored.qrf");
    const CliResult r = RunCli({"import", json, restored});
    ASSERT_EQ(r.nExit, 0) << r.strErr;
    CCardStore store;
    ASSERT_TRUE(LoadPlain(store, ReadBytes(restored), {}));
    const CCard* back = store.GetCategoryArray(FindCategoryIndex("Personal Data")).GetCard(0);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetField1(), card.field1);
    EXPECT_EQ(back->GetField2(), "Zürich");
    EXPECT_EQ(RunCli({"export", restored}).strOut, RunCli({"export", original}).strOut);
}

TEST_F(CliTest, ImportAsksTwiceOnTheTerminal) {
    const std::string in = m_dir.Path("in.json");
    WriteText(in, CardsJson(kSampleCards).dump());
    const std::string out = m_dir.Path("out.qre");

    const CliResult same = RunCliOnTerminal({"import", in, out, "--encrypt"},
                                            {{"New password", std::string(kPassword) + "\n"},
                                             {"Repeat the password", std::string(kPassword) + "\n"}});
    ASSERT_EQ(same.nExit, 0) << same.strErr;
    EXPECT_EQ(ReadBytes(out), MakeCardFile(kSampleCards, kPassword));
    EXPECT_EQ(same.strTty.find("battery"), std::string::npos) << "echoed: " << same.strTty;

    const std::string other = m_dir.Path("other.qre");
    const CliResult differ =
        RunCliOnTerminal({"import", in, other, "--encrypt"}, {{"New password", std::string(kPassword) + "\n"},
                                                              {"Repeat the password", "battery staple\n"}});
    EXPECT_EQ(differ.nExit, 1);
    EXPECT_NE(differ.strErr.find("quorrel-cli: Password not correct, try again!\n"), std::string::npos)
        << differ.strErr;
    EXPECT_FALSE(Exists(other));
}

struct RefusalCase {
    const char* name;
    std::string json;
    std::vector<std::string> expected; // parts of the message
    std::vector<std::string> options = {};
    std::string input = {};
    std::string forbidden = {}; // must not show: a secret
};

class CliImportRefusal : public ::testing::TestWithParam<RefusalCase> {
protected:
    CTempDir m_dir;
};

TEST_P(CliImportRefusal, WritesNothing) {
    const RefusalCase& c = GetParam();
    const std::string in = m_dir.Path("in.json");
    WriteText(in, c.json);
    const std::string existing = m_dir.Path("existing.qrf");
    const std::vector<uint8_t> old = MakeCardFile(kSampleCards);
    WriteBytes(existing, old);

    for (const std::string& out : {m_dir.Path("new.qrf"), existing}) {
        std::vector<std::string> args = {"import", in, out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult r = RunCli(args, c.input);
        EXPECT_EQ(r.nExit, 1) << r.strErr;
        EXPECT_EQ(r.strOut, "");
        EXPECT_EQ(r.strErr.rfind("quorrel-cli: ", 0), 0u) << r.strErr;
        for (const std::string& part : c.expected) {
            EXPECT_NE(r.strErr.find(part), std::string::npos) << r.strErr;
        }
        if (!c.forbidden.empty()) {
            EXPECT_EQ(r.strErr.find(c.forbidden), std::string::npos) << r.strErr;
        }
    }
    EXPECT_FALSE(Exists(m_dir.Path("new.qrf")));
    EXPECT_EQ(ReadBytes(existing), old);
}

std::string OneCard(const std::string& members) {
    return R"({"cards": [{"category": "WWW Pages", "field1": "ok"}, {"category": "Login Accounts")" +
           members + "}]}";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliImportRefusal,
    ::testing::Values(
        RefusalCase{"UnknownCategory",
                    R"({"cards": [{"category": "WWW Pages"}, {"category": "login accounts"}]})",
                    {"card 2, field \"category\"", "unknown category \"login accounts\""}},
        RefusalCase{"NoCategory", R"({"cards": [{"field1": "x"}]})", {"card 1, field \"category\": missing"}},
        RefusalCase{"LongField",
                    OneCard(R"(, "field3": ")" + Repeat("a", 256) + "\""),
                    {"card 2, field \"field3\"", "256 bytes, at most 255"}},
        RefusalCase{"LongInBytes",
                    OneCard(R"(, "field2": ")" + Repeat("日", 86) + "\""),
                    {"card 2, field \"field2\"", "258 bytes"}},
        RefusalCase{
            "LongDate", OneCard(R"(, "date": ")" + Repeat("1", 256) + "\""), {"card 2, field \"date\""}},
        RefusalCase{"LongNote",
                    OneCard(R"(, "note": ")" + Repeat("n", 65536) + "\""),
                    {"card 2, field \"note\"", "65536 bytes, at most 65535"}},
        RefusalCase{"TextOfWrongType", OneCard(R"(, "field1": 5)"), {"card 2, field \"field1\"", "text"}},
        RefusalCase{"NullText", OneCard(R"(, "note": null)"), {"card 2, field \"note\""}},
        RefusalCase{"FlagOutOfRange", OneCard(R"(, "newWindow": 2)"), {"card 2, field \"newWindow\""}},
        RefusalCase{"FlagAsText", OneCard(R"(, "autoAccess": "1")"), {"card 2, field \"autoAccess\""}},
        RefusalCase{
            "MisspeltField", OneCard(R"(, "feild4": "secret")"), {"card 2, field \"feild4\"", "unknown"}},
        RefusalCase{"CardNotAnObject", R"({"cards": [{"category": "WWW Pages"}, "WWW Pages"]})", {"card 2"}},
        RefusalCase{"NoCardList", R"({"card": []})", {"\"cards\""}},
        RefusalCase{"Malformed",
                    "{\"cards\": [\n  {\"category\": \"WWW Pages\", \"field4\": \"hunter2",
                    {"malformed JSON at line 2"},
                    {},
                    {},
                    "hunter2"},
        RefusalCase{"ShortPassword",
                    OneCard(""),
                    {"quorrel-cli: Password to short, please use more characters!\n"},
                    {"--encrypt", "--password-stdin"},
                    "1234567\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- info -----------------------------------------------------------------------------------------------

struct InfoCase {
    const char* name;
    std::vector<uint8_t> file;
    std::vector<std::string> options;
    std::string input;
    int exit;
    std::string out;
    std::string err; // a part of standard error; empty: nothing there
};

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

class CliInfo : public ::testing::TestWithParam<InfoCase> {
protected:
    CTempDir m_dir;
};

TEST_P(CliInfo, Reports) {
    const InfoCase& c = GetParam();
    const std::string file = m_dir.Path("card file");
    WriteBytes(file, c.file);
    std::vector<std::string> args = {"info", file};
    args.insert(args.end(), c.options.begin(), c.options.end());

    const CliResult r = RunCli(args, c.input);
    EXPECT_EQ(r.nExit, c.exit);
    EXPECT_EQ(r.strOut, c.out);
    if (c.err.empty()) {
        EXPECT_EQ(r.strErr, "");
    } else {
        EXPECT_NE(r.strErr.find(c.err), std::string::npos) << r.strErr;
    }
}

const CardTexts kBareWwwCard = {"WWW Pages", "", "", "", "",
                                "",          "", 0,  0}; // a 19-byte record: the body is 40 bytes
// A version 1.001 file: "XYZ" for the check value, then the same record, padded to 24 bytes.
const std::string kVersion1001File = std::string("NTENCRYPTVersion1.001XYZ\x09WWW Pages", 34) +
                                     std::string(5 + 2 + 2, '\0') + std::string(2, '\0');

INSTANTIATE_TEST_SUITE_P(
    Cases, CliInfo,
    ::testing::Values(InfoCase{"EmptyDocument",
                               MakeCardFile({}),
                               {},
                               "",
                               0,
                               "kind: plain\nversion: Version1.002\nbody length: 24\ncards: 0\n",
                               ""},
                      InfoCase{"PlainWithCards",
                               MakeCardFile({kBareWwwCard}),
                               {},
                               "",
                               0,
                               "kind: plain\nversion: Version1.002\nbody length: 40\ncards: 1\n",
                               ""},
                      InfoCase{"Version1001",
                               Bytes(kVersion1001File),
                               {},
                               "",
                               0,
                               "kind: plain\nversion: Version1.001\nbody length: 24\ncards: 1\n",
                               ""},
                      InfoCase{"EncryptedUnread",
                               MakeCardFile({kBareWwwCard}, kPassword),
                               {},
                               "",
                               0,
                               "kind: encrypted\nversion: Version1.002\nbody length: 40\n",
                               ""},
                      InfoCase{"EncryptedRead",
                               MakeCardFile({kBareWwwCard}, kPassword),
                               {"--password-stdin"},
                               std::string(kPassword) + "\n",
                               0,
                               "kind: encrypted\nversion: Version1.002\nbody length: 40\ncards: 1\n",
                               ""},
                      InfoCase{"EncryptedWrongPassword",
                               MakeCardFile({kBareWwwCard}, kPassword),
                               {"--password-stdin"},
                               "wrong\n",
                               1,
                               "",
                               "quorrel-cli: Password not correct,try again.\n"},
                      InfoCase{"UnknownEncryptedVersion",
                               Bytes("ENCRYPTEDVersion9.999" + std::string(24, '\0')),
                               {"--password-stdin"},
                               std::string(kPassword) + "\n",
                               1,
                               "",
                               "unknown card file version"},
                      InfoCase{"NotACardFile",
                               Bytes("Dear diary, today"),
                               {},
                               "",
                               1,
                               "",
                               "quorrel-cli: File is not a Quorrel file!\n"},
                      InfoCase{"EmptyFile", {}, {}, "", 1, "", "empty"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, UnreadableFileGivesTheReason) {
    const std::string missing = m_dir.Path("missing.qrf");
    for (const char* command : {"info", "export"}) {
        const CliResult r = RunCli({command, missing});
        EXPECT_EQ(r.nExit, 1);
        EXPECT_NE(r.strErr.find(missing), std::string::npos) << r.strErr;
        EXPECT_NE(r.strErr.find("No such file or directory"), std::string::npos) << r.strErr;
    }
}

// --- usage ----------------------------------------------------------------------------------------------

class CliUsage : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(CliUsage, ExitsTwoWithAHint) {
    const CliResult r = RunCli(GetParam());
    EXPECT_EQ(r.nExit, 2);
    EXPECT_EQ(r.strOut, "");
    EXPECT_EQ(r.strErr.rfind("quorrel-cli: ", 0), 0u) << r.strErr;
    EXPECT_NE(r.strErr.find("Try 'quorrel-cli --help'"), std::string::npos) << r.strErr;
    EXPECT_EQ(r.strErr.find("hunter2"), std::string::npos) << r.strErr;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"frobnicate"},
                      std::vector<std::string>{"--frobnicate"}, std::vector<std::string>{"export"},
                      std::vector<std::string>{"export", "a.qrf", "b.qrf"},
                      std::vector<std::string>{"export", "a.qrf", "--bogus"},
                      std::vector<std::string>{"export", "a.qrf", "-o"},
                      std::vector<std::string>{"export", "a.qrf", "--encrypt"},
                      std::vector<std::string>{"info", "a.qrf", "-o", "x.json"},
                      std::vector<std::string>{"info", "a.qre", "--password=hunter2"},
                      std::vector<std::string>{"import", "in.json"},
                      std::vector<std::string>{"import", "in.json", "out.qrf", "--password-stdin"},
                      std::vector<std::string>{"import", "-", "out.qre", "--encrypt", "--password-stdin"}));

TEST(CliHelp, HelpAndVersion) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"-h"}, {"help"}, {"export", "--help"}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.nExit, 0) << args[0];
        EXPECT_EQ(r.strOut.rfind("Usage: quorrel-cli", 0), 0u) << r.strOut;
        EXPECT_EQ(r.strErr, "");
    }
    const CliResult r = RunCli({"--version"});
    EXPECT_EQ(r.nExit, 0);
    EXPECT_EQ(r.strOut, "quorrel-cli 1.1\n");
}

} // namespace
