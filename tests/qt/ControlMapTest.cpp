// The desktop suite's map of the named controls: it answers each request afresh with where the
// controls are at that moment, lists only named controls, and stays quiet without a request.

#include "QtFixture.h"

#include "qt/ControlMap.h"
#include "tests/TempTree.h"
#include "toolkit/StdCtrls.h"

#include <QElapsedTimer>
#include <QThread>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

using namespace tk;

namespace {

class ControlMapTest : public QtFixture {
protected:
    // Asks and waits (turning the event loop) for the answer; the map by FORM.CONTROL, each line
    // without its name.
    std::map<std::string, std::string> Ask()
    {
        std::filesystem::remove(m_path);
        std::ofstream(m_path + ".ask") << "where\n";
        QElapsedTimer clock;
        clock.start();
        while (!std::filesystem::exists(m_path) && clock.elapsed() < 5000) {
            Turn();
            QThread::msleep(5);
        }
        std::map<std::string, std::string> lines;
        std::ifstream file(m_path);
        for (std::string line; std::getline(file, line);) {
            std::istringstream fields(line);
            std::string name, rest;
            fields >> name;
            std::getline(fields >> std::ws, rest);
            lines[name] = rest;
        }
        return lines;
    }

    TPanel* NamedPanel(TForm& form, TWinControl* parent, const std::string& name, int left, int top)
    {
        auto* panel = Child<TPanel>(form, parent);
        panel->SetName(name);
        panel->SetBounds(left, top, 30, 40);
        return panel;
    }

    TempTree m_folder{"control-map"};
    std::string m_path = m_folder.Path("controls");
};

TEST_F(ControlMapTest, AnswersEachRequestWithTheNamedControlsWhereTheyAreNow)
{
    qtui::ControlMap map(application, QString::fromStdString(m_path));
    TForm* form = ShownForm();
    form->SetName("Shown");
    TPanel* outer = NamedPanel(*form, nullptr, "Outer", 5, 6);
    TPanel* inner = NamedPanel(*form, outer, "Inner", 10, 20);
    Child<TPanel>(*form)->SetBounds(0, 0, 5, 5);  // unnamed: not listed
    TPanel* hidden = NamedPanel(*form, nullptr, "Hidden", 50, 60);
    hidden->SetVisible(false);
    Turn();

    auto lines = Ask();
    EXPECT_FALSE(std::filesystem::exists(m_path + ".ask")) << "the request stays after its answer";
    std::string window = std::to_string(WidgetOf(*form)->winId());
    EXPECT_EQ(lines["Shown"], window + " 0 0 300 200 1");
    EXPECT_EQ(lines["Shown.Outer"], window + " 5 6 30 40 1");
    EXPECT_EQ(lines["Shown.Inner"], window + " 15 26 30 40 1") << "a child's place is within the window";
    EXPECT_EQ(lines["Shown.Hidden"], window + " 50 60 30 40 0");
    EXPECT_EQ(lines.size(), 4u) << "only named controls and the form are listed";

    // A second request sees the control where it went since the first.
    inner->SetLeft(12);
    hidden->SetVisible(true);
    Turn();
    lines = Ask();
    EXPECT_EQ(lines["Shown.Inner"], window + " 17 26 30 40 1");
    EXPECT_EQ(lines["Shown.Hidden"], window + " 50 60 30 40 1");
}

TEST_F(ControlMapTest, WritesNothingUnasked)
{
    qtui::ControlMap map(application, QString::fromStdString(m_path));
    ShownForm()->SetName("Shown");
    for (int turn = 0; turn < 20; ++turn) {
        Turn();
        QThread::msleep(5);
    }
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(ControlMapTest, RunsOnlyWhenTheEnvironmentNamesItsFile)
{
    qunsetenv("ORVANE_CONTROL_MAP");
    EXPECT_EQ(qtui::ControlMap::FromEnvironment(application), nullptr);
    qputenv("ORVANE_CONTROL_MAP", m_path.c_str());
    EXPECT_NE(qtui::ControlMap::FromEnvironment(application), nullptr);
    qunsetenv("ORVANE_CONTROL_MAP");
}

}  // namespace
