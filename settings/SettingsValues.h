#pragma once

#include <string>
#include <vector>

namespace orvane {

// A row of the capture or text list: its state and its extension.
struct TListEntry {
    std::string state;
    std::string extension;
};

// What the settings dialog hands to the OK step: the texts of its edits, the chosen indexes of
// its seven combo boxes, its check boxes and list rows, and the working copies it was opened with.
struct TSettingsValues {
    std::string waitTime;
    std::string capH;
    std::string capW;
    // Cust_1 ... Cust_7: CapGetCol, CapMessage, ETCtype, FileView, SortFile, ViewSet, SeFile.
    int choices[7] = {0, 0, 0, 0, 0, 0, 0};
    bool menuBar = true;
    bool infoBar = true;
    // Rows 0 to the grid's last row; rows 2 and on are the user's entries.
    std::vector<TListEntry> capNames;
    std::vector<TListEntry> textNames;
    std::string cashDir;
    std::string cashSize;
    // The upper bounds of CapW and CapH, taken when the dialog was made.
    int capWMax = 0;
    int capHMax = 0;
    // The start folder the dialog was opened with, where the file is written.
    std::string cPath;
};

}  // namespace orvane
