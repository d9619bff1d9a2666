#pragma once

// The settings store: the main window's hidden labels, one per setting of the schema, and the
// capture and text lists, with the two files in the start folder that keep them between runs:
// TavoCust.cnf with the settings, written by the settings dialog's OK step, and TavoCust2.cnf with
// the bounds of the main window and the detached viewer, written whenever the main window closes.
// Both are read once, when the main window is first shown. The labels stay the truth: every user
// reads a caption at the moment of use, here or on the label itself.

#include "settings/SettingsSchema.h"
#include "settings/SettingsValues.h"
#include "toolkit/Form.h"
#include "toolkit/Grids.h"
#include "toolkit/StdCtrls.h"

#include <array>
#include <functional>
#include <string>

namespace platform {
class Host;
}

namespace orvane {

class TSettingsStore {
public:
    // The components the store works with, all on the main window's hidden settings panel.
    struct Parts {
        std::array<tk::TLabel*, SettingCount> labels; // each setting's label, in the schema's order
        tk::TStringGrid& capNames;                    // the capture list
        tk::TStringGrid& textNames;                   // the text list
    };
    // The parts of a form whose components carry the schema's names; null labels where it has none.
    static Parts PartsOf(const tk::TComponent& form);

    // `apply` brings the window into line with the stored values (the main window's Ini).
    TSettingsStore(Parts parts, platform::Host& host, std::function<void()> apply);

    const std::string& Text(TSetting setting) const;
    // The setting read as a number, as its users read it.
    int Number(TSetting setting) const;
    const tk::TStringGrid& CapNames() const { return m_parts.capNames; }
    const tk::TStringGrid& TextNames() const { return m_parts.textNames; }
    // The path of one of the settings files, in the start folder (CPath).
    std::string FilePath(std::string_view fileName) const;

    // The lists' fixed rows, before any file is read.
    void PrepareGrids();
    // TavoCust.cnf into the labels and lists; a missing file leaves the start values.
    void ReadSettings();
    // TavoCust2.cnf: the bounds of the main window, then of the detached viewer (null if none).
    void ReadWindowPositions(tk::TForm& main, tk::TForm* view);
    void WriteWindowPositions(const tk::TForm& main, const tk::TForm* view);
    // The OK step of the settings dialog: writes TavoCust.cnf from the dialog's values, stores them
    // and applies them. When the file cannot be written nothing is stored; false then, with the
    // system's reason in `reason` when it is given.
    bool StoreSettings(const TSettingsValues& values, std::string* reason = nullptr);

private:
    tk::TLabel& Label(TSetting setting) const;
    // What the OK step stores of the dialog's value of one setting.
    std::string StoredText(const TSettingField& field, const TSettingsValues& values) const;

    Parts m_parts;
    platform::Host& m_host;
    std::function<void()> m_apply;
};

}  // namespace orvane
