// Restoring what the window remembered, and the command line's wishes, on
// top of the start-up state; and reading them back for the next run.
#include "BCController.h"
#include "symbology.h"

namespace bcfont::app {
namespace {

bool isCodeType(int index) {
    return index >= 0 && index < kCodeTypeCount;
}

}  // namespace

void BCController::restore(const Choices& c) {
    if (isCodeType(c.code)) {
        iCode = c.code;
        window_.selectItem(ControlId::codeSelector, iCode);
        showFactsFor(iCode);
    }
    // The options a symbology lacks stay at the defaults Settings gives them.
    Settings();
    const auto tick = [this](ControlId box, BOOL& flag, bool on) {
        if (!offers(box)) return;
        flag = on ? 1 : 0;
        window_.setState(box, flag);
    };
    tick(checksum, bCHECKSUM, c.check);
    tick(halfHeight, bHALFHEIGHT, c.halfHeight);
    tick(highDensity, bHIGHDENSITY, c.highDensity);
    if (offers(addon) && (c.addonDigits == 2 || c.addonDigits == 5)) {
        window_.setState(addonNothing, 0);
        window_.setState(c.addonDigits == 2 ? addon2 : addon5, 1);
        chooseAddon(c.addonDigits == 2, c.addonDigits == 5);
        addonString = c.addon;
        window_.setStringValue(addonText, addonString);
    }
    if (symbology(static_cast<CodeType>(iCode)).options != 0) {
        typeOptionsString = c.typeOptions;
        window_.setStringValue(ControlId::typeOptions, typeOptionsString);
    }
    if (c.data) {
        dataToEncodeString = *c.data;
        window_.setStringValue(dataToEncode, dataToEncodeString);
    }

    if (isCodeType(c.batchCode)) {
        iBatchCode = c.batchCode;
        window_.selectItem(ControlId::batchCodeSelector, iBatchCode);
    }
    bBATCHCHECKSUM = c.batchCheck ? 1 : 0;
    window_.setState(batchChecksum, bBATCHCHECKSUM);
    bBATCHUTF8 = c.batchUtf8 ? 1 : 0;
    window_.selectItem(ControlId::batchEncoding, bBATCHUTF8);
    bBATCHALIGN = c.batchAlign ? 1 : 0;
    window_.setState(ControlId::batchAlign, bBATCHALIGN);
    readFolder_ = c.readFolder;
    saveFolder_ = c.saveFolder;
    showBatchNotice();
    UpdateCode();
}

Choices BCController::choices() const {
    Choices c;
    c.code = iCode;
    c.check = bCHECKSUM != 0;
    c.halfHeight = bHALFHEIGHT != 0;
    c.highDensity = bHIGHDENSITY != 0;
    c.addonDigits = bADDON2 != 0 ? 2 : bADDON5 != 0 ? 5 : 0;
    c.addon = addonString;
    c.typeOptions = typeOptionsString;
    c.data = dataToEncodeString;
    c.batchCode = iBatchCode;
    c.batchCheck = bBATCHCHECKSUM != 0;
    c.batchUtf8 = bBATCHUTF8 != 0;
    c.batchAlign = bBATCHALIGN != 0;
    c.readFolder = readFolder_;
    c.saveFolder = saveFolder_;
    return c;
}

}  // namespace bcfont::app
