// The controller of the main window: all of its state, the preview update,
// the option availability per symbology, the batch conversion and every
// action of the window. It reaches the window only through WindowPort.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Converter.h"
#include "ExportFile.h"
#include "WindowPort.h"
#include "encode.h"
#include "encoder.h"

namespace bcfont::app {

// What the window remembers between runs, and what its command line asks
// for. Restoring the defaults gives the start-up state.
struct Choices {
    int code = EAN8;
    bool check = true, halfHeight = false, highDensity = false;
    int addonDigits = 0;  // the add-on choice: 0 none, 2 or 5
    std::string addon;
    std::string typeOptions;  // a 2D code's options: "ecc=H,version=5"
    std::optional<std::string> data;  // nothing: keep what the field holds
    int batchCode = EAN8;
    bool batchCheck = true, batchUtf8 = false, batchAlign = false;
    std::string readFolder, saveFolder;  // empty: the home folder
    friend bool operator==(const Choices&, const Choices&) = default;
};

class BCController {
  public:
    BCController(WindowPort& window, Converter& converter);

    void awakeFromNib();
    void UpdateCode();
    void Settings();

    // Main window actions; `sender` is the control that sent the action.
    void changeCode(ControlId sender);
    void changeChecksum(ControlId sender);
    void changeHalfheight(ControlId sender);
    void changeHighdensity(ControlId sender);
    void changeAddonNothing(ControlId sender);
    void changeAddon2(ControlId sender);
    void changeAddon5(ControlId sender);
    void changeAddon(ControlId sender);
    void changeText(ControlId sender);
    void changeTextAddon(ControlId sender);
    void controlTextDidChange(ControlId object);

    // Batch area.
    void changeCodeBatch(ControlId sender);
    void batchChangeChecksum(ControlId sender);
    void batchCalc(ControlId sender);
    void batchRead(ControlId sender);
    void batchWrite(ControlId sender);
    void batchChangeAlign(ControlId sender);
    void batchChangeEncoding(ControlId sender);
    // The input view's text was edited: its output no longer belongs to it.
    void batchInputDidChange(ControlId sender);
    // A click on entry `index` of the rejected lines selects that input line.
    void batchShowRejection(int index);

    // Copy, print, export and about.
    void copy(ControlId sender);
    void print(ControlId sender);
    // Draws the preview's font string into an SVG, PNG or PDF file.
    void exportPreview(ControlId sender);
    void about(ControlId sender);
    // Copies bcfont's faces where other programs find them.
    void installFonts(ControlId sender);

    // Settings and the command line, on top of the start-up state.
    void restore(const Choices& choices);
    Choices choices() const;

    // Outlets: the controls, by the ids the port knows them by.
    const ControlId addon = ControlId::addon;
    const ControlId addonText = ControlId::addonText;
    const ControlId addon2 = ControlId::addon2;
    const ControlId addon5 = ControlId::addon5;
    const ControlId addonNothing = ControlId::addonNothing;
    const ControlId batchChecksum = ControlId::batchChecksum;
    const ControlId batchInput = ControlId::batchInput;
    const ControlId batchOutput = ControlId::batchOutput;
    const ControlId checksum = ControlId::checksum;
    Converter* const converter;
    const ControlId convertString = ControlId::convertString;
    const ControlId dataToEncode = ControlId::dataToEncode;
    const ControlId facts = ControlId::facts;
    const ControlId halfHeight = ControlId::halfHeight;
    const ControlId highDensity = ControlId::highDensity;
    const ControlId preview = ControlId::preview;
    // There is no timer; the reference stays empty.
    const void* const repTimer = nullptr;

  private:
    friend struct BCControllerProbe;  // lets the tests read the state

    void showRejected(std::string reason);
    // UpdateCode for the 2D codes: the matrix module encodes the UTF-8 data
    // with the type's options; the preview gets the lines of the font string.
    void updateMatrix();
    // After a symbology change: the options field opens for a type that
    // takes options, empty, with their syntax as its hint.
    void offerTypeOptions();
    void showFactsFor(std::int32_t type);
    void chooseAddon(BOOL two, BOOL five);
    // The one-line notice for the current state: why the data is rejected,
    // or what the symbol leaves out or changes; `missingFont` names a preview
    // font that is not installed, or is empty. `data` and `addonBytes` are
    // the bytes Calc accepted.
    std::string noticeFor(const std::string& missingFont, std::string_view data, std::string_view addonBytes);
    // Why `text` cannot go to Calc: a character outside Mac OS Roman, or its length.
    std::string unencodable(const std::string& text);
    std::string tr(const char* text);
    // A change the encoder made to the data, as the notice line says it.
    // The language of the window's translation, for the texts of the
    // encoder's catalogue.
    Language language();
    std::string changeNotice(const DataChange& change);
    // The typed add-on when its length is the chosen one, else nothing.
    std::string_view addonTaken(std::string_view typed) const;
    // The check option's tooltip: what the table says of `type`'s check character.
    std::string checkToolTip(CodeType type);
    // Whether the current symbology lets the user set this option control.
    bool offers(ControlId option) const;
    void clearBatchOutput();
    // Converts the batch input; after an option change the summary names
    // it with `againPattern` and `option`.
    void convertBatch(const char* againPattern = nullptr, const std::string& option = {});
    // After a batch option changed: converts again when there is output,
    // and says so in the summary with `pattern` and the option's name.
    void reconvertBatch(const char* pattern, const std::string& option);
    void showBatchNotice();

    WindowPort& window_;

    std::string dataToEncodeString;
    std::string addonString;
    std::string typeOptionsString;
    std::string convertedString;
    std::string rejection_;  // why the current data is rejected; empty when it encodes
    std::int32_t iCode = EAN8;
    std::int32_t iBatchCode = EAN8;
    BOOL bHALFHEIGHT = 0;
    BOOL bCHECKSUM = 1;
    BOOL bBATCHCHECKSUM = 1;
    BOOL bHIGHDENSITY = 0;
    BOOL bADDON2 = 0;
    BOOL bADDON5 = 0;
    BOOL bBATCHUTF8 = 0;
    BOOL bBATCHALIGN = 0;
    std::string readFolder_, saveFolder_;
    std::optional<std::string> readBytes_;  // the file last read, while the input still holds it
    std::string readPath_;
    bool batchOutputShown_ = false;             // the output view holds a conversion
    std::vector<std::uint64_t> rejectedLines_;  // of the last conversion's list: rejections and notes
    int exportDpi = kExportDefaultDpi;          // the last PNG resolution chosen, offered again
};

}  // namespace bcfont::app
