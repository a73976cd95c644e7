// Consistency of the resource set: pictures that load and show, prompts for every toolbar button, dialog
// layouts that fit their frames, and ids that the framework can look up without ambiguity.
#include "res/resource.h"
#include "res/resources.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeySequence>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Rendering needs a GUI application; the program links gtest_main, so it is made by an environment.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char arg0[] = "res_tests";
        static char* argv[] = {arg0, nullptr};
        m_pApp = new QGuiApplication(argc, argv);
    }
    void TearDown() override {
        delete m_pApp;
        m_pApp = nullptr;
    }

private:
    QGuiApplication* m_pApp = nullptr;
};

[[maybe_unused]] ::testing::Environment* const g_pGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

const fw::ResourceSet& Res() {
    return QuorrelResources();
}

std::string ParamName(const std::string& text) {
    std::string name;
    for (char c : text) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

const fw::StringResource* FindString(int id) {
    for (const auto& s : Res().strings) {
        if (s.id == id) {
            return &s;
        }
    }
    return nullptr;
}

// ---- Pictures ----

std::vector<std::string> AllPicturePaths() {
    std::vector<std::string> paths;
    for (const auto& icon : Res().icons) {
        paths.push_back(icon.path);
    }
    for (const auto& images : Res().toolbarImages) {
        paths.insert(paths.end(), images.paths.begin(), images.paths.end());
    }
    return paths;
}

class PictureTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PictureTest, LoadsAndDrawsSomethingAtToolbarSize) {
    QSvgRenderer renderer(QString::fromStdString(GetParam()));
    ASSERT_TRUE(renderer.isValid()) << GetParam();
    EXPECT_EQ(renderer.defaultSize().width(), renderer.defaultSize().height()) << "pictures are square";

    QImage image(20, 20, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();

    int nCovered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            nCovered += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    // A picture that reads at 20 px covers a fair part of its square.
    EXPECT_GT(nCovered, 20 * 20 / 5) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Resources, PictureTest, ::testing::ValuesIn(AllPicturePaths()),
                         [](const auto& info) { return ParamName(info.param); });

TEST(Toolbar, EveryButtonHasAnImageAndATooltip) {
    const fw::ToolbarTemplate* pBar = nullptr;
    const fw::ToolbarImages* pImages = nullptr;
    for (const auto& bar : Res().toolbars) {
        if (bar.id == IDR_MAINFRAME) {
            pBar = &bar;
        }
    }
    for (const auto& images : Res().toolbarImages) {
        if (images.id == IDR_MAINFRAME) {
            pImages = &images;
        }
    }
    ASSERT_NE(pBar, nullptr);
    ASSERT_NE(pImages, nullptr);

    const auto nButtons =
        std::count_if(pBar->buttons.begin(), pBar->buttons.end(), [](int id) { return id != ID_SEPARATOR; });
    EXPECT_EQ(static_cast<size_t>(nButtons), pImages->paths.size()) << "one image per button, in order";

    for (int id : pBar->buttons) {
        if (id == ID_SEPARATOR) {
            continue;
        }
        const fw::StringResource* pPrompt = FindString(id);
        ASSERT_NE(pPrompt, nullptr) << "no prompt for toolbar command " << id;
        const auto nl = pPrompt->text.find('\n');
        ASSERT_NE(nl, std::string::npos) << "no tool tip for toolbar command " << id;
        const std::string tip = pPrompt->text.substr(nl + 1);
        EXPECT_NE(tip.find_first_not_of(' '), std::string::npos) << "blank tool tip for command " << id;
    }
}

// ---- Dialogs ----

std::vector<int> DialogIds() {
    std::vector<int> ids;
    for (const auto& dlg : Res().dialogs) {
        ids.push_back(dlg.id);
    }
    return ids;
}

class DialogTest : public ::testing::TestWithParam<int> {
protected:
    const fw::DialogTemplate& Dlg() const {
        for (const auto& dlg : Res().dialogs) {
            if (dlg.id == GetParam()) {
                return dlg;
            }
        }
        throw std::logic_error("dialog vanished");
    }
};

TEST_P(DialogTest, ControlsLieInsideTheTemplate) {
    const auto& dlg = Dlg();
    ASSERT_GT(dlg.cx, 0);
    ASSERT_GT(dlg.cy, 0);
    for (const auto& c : dlg.controls) {
        SCOPED_TRACE("control " + std::to_string(c.id) + " \"" + c.text + "\"");
        EXPECT_GT(c.cx, 0);
        EXPECT_GT(c.cy, 0);
        EXPECT_GE(c.x, 0);
        EXPECT_GE(c.y, 0);
        EXPECT_LE(c.x + c.cx, dlg.cx);
        EXPECT_LE(c.y + c.cy, dlg.cy);
    }
}

TEST_P(DialogTest, ControlIdsAreUnique) {
    std::set<int> seen;
    for (const auto& c : Dlg().controls) {
        if (c.id != fw::IDC_STATIC) {
            EXPECT_TRUE(seen.insert(c.id).second) << "id " << c.id << " used twice";
        }
    }
}

TEST_P(DialogTest, IconsShownExist) {
    for (const auto& c : Dlg().controls) {
        if (c.kind == fw::CtlKind::Icon) {
            EXPECT_NE(c.iconId, 0) << "icon control " << c.id << " names no icon";
        }
        if (c.iconId != 0) {
            const bool bFound = std::any_of(Res().icons.begin(), Res().icons.end(),
                                            [&](const auto& icon) { return icon.id == c.iconId; });
            EXPECT_TRUE(bFound) << "icon " << c.iconId << " is not in the set";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTest, ::testing::ValuesIn(DialogIds()),
                         [](const auto& info) { return "IDD_" + std::to_string(info.param); });

// ---- Look-ups ----

template <class T> std::vector<int> IdsOf(const std::vector<T>& items) {
    std::vector<int> ids;
    for (const auto& item : items) {
        ids.push_back(item.id);
    }
    return ids;
}

TEST(ResourceSet, IdsAreUniqueWithinEachKind) {
    const std::map<std::string, std::vector<int>> kinds = {
        {"dialogs", IdsOf(Res().dialogs)},
        {"menus", IdsOf(Res().menus)},
        {"accelerators", IdsOf(Res().accelerators)},
        {"toolbars", IdsOf(Res().toolbars)},
        {"toolbar images", IdsOf(Res().toolbarImages)},
        {"icons", IdsOf(Res().icons)},
        {"strings", IdsOf(Res().strings)},
    };
    for (const auto& [kind, ids] : kinds) {
        std::set<int> seen;
        for (int id : ids) {
            EXPECT_TRUE(seen.insert(id).second) << kind << ": id " << id << " twice";
        }
    }
}

TEST(Accelerators, EveryKeyIsOneValidSequenceBoundOnce) {
    for (const auto& table : Res().accelerators) {
        std::map<QKeySequence, int> bound;
        for (const auto& entry : table.entries) {
            SCOPED_TRACE(entry.keys);
            const QKeySequence seq =
                QKeySequence::fromString(QString::fromStdString(entry.keys), QKeySequence::PortableText);
            ASSERT_EQ(seq.count(), 1);
            EXPECT_NE(seq[0].key(), Qt::Key_unknown);
            EXPECT_EQ(seq.toString(QKeySequence::PortableText).toStdString(), entry.keys);
            const auto [it, bInserted] = bound.emplace(seq, entry.command);
            EXPECT_TRUE(bInserted) << "also bound to " << it->second;
        }
    }
}

TEST(Menus, PopupsHoldItemsAndCommandsHaveIds) {
    for (const auto& menu : Res().menus) {
        SCOPED_TRACE("menu " + std::to_string(menu.id));
        for (const auto& popup : menu.items) {
            ASSERT_EQ(popup.kind, fw::MenuItem::Popup);
            ASSERT_FALSE(popup.children.empty()) << popup.text;
            EXPECT_NE(popup.children.front().kind, fw::MenuItem::Separator) << popup.text;
            EXPECT_NE(popup.children.back().kind, fw::MenuItem::Separator) << popup.text;
            for (const auto& item : popup.children) {
                if (item.kind == fw::MenuItem::Command) {
                    EXPECT_NE(item.id, 0) << item.text;
                    EXPECT_FALSE(item.text.empty());
                }
            }
        }
    }
}

} // namespace
