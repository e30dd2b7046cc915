// The UNO component Calc loads: BCFONT, BCFONTREASON, BCFONTTEXT and BCFONTFACE, with
// the names and help the Function Wizard shows. Everything it computes comes
// from cell_functions.h; this file converts between UNO values and those.
#include <uno/lbnames.h>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/lang/XServiceName.hpp>
#include <com/sun/star/sheet/XAddIn.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implbase4.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <org/bcfont/calc/XBarcodeFunctions.hpp>

#include "cell_functions.h"
#include "function_table.h"

namespace bcfont::office {
namespace {

namespace uno = css::uno;
using rtl::OUString;

OUString toOUString(std::string_view utf8) {
    return OUString::fromUtf8(rtl::OString(utf8.data(), static_cast<sal_Int32>(utf8.size())));
}

// The SDK's sal_Unicode is a 16-bit integer type outside LibreOffice's own
// build, not char16_t; both hold UTF-16 code units.
static_assert(sizeof(sal_Unicode) == sizeof(char16_t));

OUString toOUString(const std::u16string& text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size()));
}

std::u16string toU16string(const OUString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()),
                          static_cast<std::size_t>(text.getLength()));
}

std::string toUtf8(const OUString& text) {
    const rtl::OString utf8 = text.toUtf8();
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

CellValue cellValue(const uno::Any& any) {
    if (!any.hasValue()) return Blank{};
    if (any.getValueTypeClass() == uno::TypeClass_BOOLEAN) return any.get<bool>();
    if (OUString text; any >>= text) return toU16string(text);
    if (double number = 0; any >>= number) return number;
    // Calc passes a range of cells as a sequence of rows.
    return CellRange{};
}

// Data arrives as a table; one cell is a 1 x 1 table.
CellValue singleCell(const uno::Sequence<uno::Sequence<uno::Any>>& table) {
    if (table.getLength() != 1 || table[0].getLength() != 1) return CellRange{};
    return cellValue(table[0][0]);
}

class BarcodeFunctions
    : public cppu::WeakImplHelper4<org::bcfont::calc::XBarcodeFunctions, css::sheet::XAddIn,
                                   css::lang::XServiceName, css::lang::XServiceInfo> {
  public:
    // XBarcodeFunctions
    OUString SAL_CALL bcfont(const uno::Sequence<uno::Sequence<uno::Any>>& data, const uno::Any& codeType,
                             const uno::Any& addon, const uno::Any& check) override {
        return valueOrThrow(
            barcodeCell(singleCell(data), cellValue(codeType), cellValue(addon), cellValue(check), language()));
    }

    OUString SAL_CALL bcfontReason(const uno::Sequence<uno::Sequence<uno::Any>>& data,
                                   const uno::Any& codeType, const uno::Any& addon,
                                   const uno::Any& check) override {
        return toOUString(
            barcodeCell(singleCell(data), cellValue(codeType), cellValue(addon), cellValue(check), language())
                .reason);
    }

    OUString SAL_CALL bcfontText(const uno::Sequence<uno::Sequence<uno::Any>>& data, const uno::Any& codeType,
                                 const uno::Any& addon, const uno::Any& check) override {
        return valueOrThrow(
            textCell(singleCell(data), cellValue(codeType), cellValue(addon), cellValue(check), language()));
    }

    OUString SAL_CALL bcfontFace(const uno::Any& codeType, const uno::Any& halfHeight,
                                 const uno::Any& highDensity) override {
        return valueOrThrow(
            faceCell(cellValue(codeType), cellValue(halfHeight), cellValue(highDensity), language()));
    }

    // XAddIn
    OUString SAL_CALL getProgrammaticFuntionName(const OUString& displayName) override {
        const FunctionInfo* f = findFunctionByDisplayName(toUtf8(displayName.toAsciiUpperCase()));
        return f ? toOUString(f->name) : OUString();
    }
    OUString SAL_CALL getDisplayFunctionName(const OUString& name) override {
        const FunctionInfo* f = findFunction(toUtf8(name));
        return f ? localized(f->displayName) : OUString();
    }
    OUString SAL_CALL getFunctionDescription(const OUString& name) override {
        const FunctionInfo* f = findFunction(toUtf8(name));
        return f ? localized(f->description) : OUString();
    }
    OUString SAL_CALL getDisplayArgumentName(const OUString& name, sal_Int32 index) override {
        const ArgumentInfo* a = argument(name, index);
        return a ? localized(a->displayName) : OUString();
    }
    OUString SAL_CALL getArgumentDescription(const OUString& name, sal_Int32 index) override {
        const ArgumentInfo* a = argument(name, index);
        return a ? localized(a->description) : OUString();
    }
    OUString SAL_CALL getProgrammaticCategoryName(const OUString&) override { return toOUString(kCategory); }
    OUString SAL_CALL getDisplayCategoryName(const OUString&) override { return toOUString(kCategory); }

    // XLocalizable
    void SAL_CALL setLocale(const css::lang::Locale& locale) override { locale_ = locale; }
    css::lang::Locale SAL_CALL getLocale() override { return locale_; }

    // XServiceName
    OUString SAL_CALL getServiceName() override { return toOUString(kServiceName); }

    // XServiceInfo
    OUString SAL_CALL getImplementationName() override { return toOUString(kImplementationName); }
    sal_Bool SAL_CALL supportsService(const OUString& name) override {
        return cppu::supportsService(this, name);
    }
    uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override { return serviceNames(); }

    static uno::Sequence<OUString> serviceNames() {
        const OUString names[] = {toOUString(kAddInService), toOUString(kServiceName)};
        return uno::Sequence<OUString>(names, 2);
    }

  private:
    // Calc shows the exception as an error value, never a partial string.
    OUString valueOrThrow(const CellResult& result) {
        if (!result.reason.empty())
            throw css::lang::IllegalArgumentException(toOUString(result.reason), *this, 0);
        return toOUString(result.text);
    }

    // Calc sets its user interface language with setLocale(); the reasons follow it.
    Language language() const { return languageOfTag(toUtf8(locale_.Language)); }

    OUString localized(const Localized& text) const {
        return toOUString(shown(locale_.Language == "de" ? text.de : text.en));
    }

    static const ArgumentInfo* argument(const OUString& function, sal_Int32 index) {
        const FunctionInfo* f = findFunction(toUtf8(function));
        if (!f || index < 0 || static_cast<std::size_t>(index) >= f->arguments.size()) return nullptr;
        return &f->arguments[static_cast<std::size_t>(index)];
    }

    css::lang::Locale locale_{"en", "US", ""};
};

uno::Reference<uno::XInterface> SAL_CALL create(const uno::Reference<uno::XComponentContext>&) {
    return static_cast<cppu::OWeakObject*>(new BarcodeFunctions);
}

OUString SAL_CALL implementationName() {
    return toOUString(kImplementationName);
}

uno::Sequence<OUString> SAL_CALL supportedServiceNames() {
    return BarcodeFunctions::serviceNames();
}

const cppu::ImplementationEntry kEntries[] = {
    {create, implementationName, supportedServiceNames, cppu::createSingleComponentFactory, nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

}  // namespace
}  // namespace bcfont::office

// The two symbols LibreOffice looks up in the shared object; the build
// exports nothing else.
extern "C" SAL_DLLPUBLIC_EXPORT void* component_getFactory(const char* implementationName,
                                                           void* serviceManager, void* registryKey) {
    return cppu::component_getFactoryHelper(implementationName, serviceManager, registryKey,
                                            bcfont::office::kEntries);
}

extern "C" SAL_DLLPUBLIC_EXPORT void component_getImplementationEnvironment(const char** environmentTypeName,
                                                                            uno_Environment**) {
    *environmentTypeName = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}
