// The probe's view of a rich edit: its lines, one by one, and its modes. No window of the program
// holds a rich edit yet, so the test puts one on the main window.

#include "probe/Probe.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/RichEdit.h"

#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ProbeRichEdit, LinesOneByOneTheirCountAndTheModes)
{
    TempTree tree;
    tree.Write("work/note.txt", "first\r\n\xE8\xA1\xA8\xE7\xA4\xBA\r\n");
    std::istringstream input("drive C: " + tree.Root() + "\ncwd C:\\work\nstart\n"
                             "get Memo.Lines.Count\nget Memo.Lines[0]\nget Memo.Lines[1]\nget Memo.Lines[2]\n"
                             "get Memo.PlainText\nget Memo.ReadOnly\n");
    std::ostringstream output;
    probe::Probe probe(input, output);
    probe.RunUntil([&] { return probe.Started(); });
    ASSERT_TRUE(probe.Started()) << output.str();
    tk::TForm* main = probe.Running().Application().MainForm();
    auto* memo = new tk::TRichEdit(main);
    memo->SetName("Memo");
    memo->SetParent(main);
    memo->SetReadOnly(true);
    memo->Lines().LoadFromFile("C:\\work\\note.txt");

    EXPECT_EQ(probe.Run(), 1);
    EXPECT_EQ(output.str(), "Memo.Lines.Count=2\n"
                            "Memo.Lines[0]=first\n"
                            "Memo.Lines[1]=\xE8\xA1\xA8\xE7\xA4\xBA\n"
                            "error: 7: get: Lines[2] is beyond the last line (Lines.Count=2)\n"
                            "Memo.PlainText=false\n"
                            "Memo.ReadOnly=true\n");
}
