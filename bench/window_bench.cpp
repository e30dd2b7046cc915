// The window's own speed, on the offscreen platform: a keystroke until the
// preview and the notice are updated (controller and widgets, no painting),
// and a batch conversion of 100,000 EAN-13 lines until the output view
// holds them, with the memory it adds.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <fstream>
#include <random>
#include <string>

#include "FontLoader.h"
#include "MainWindow.h"
#include "MyApplication.h"
#include "symbology.h"

using bcfont::app::MainWindow;

namespace {

// Resident memory in bytes, from /proc.
long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

QString ean13Lines(int count) {
    std::mt19937 random(13);
    std::uniform_int_distribution<int> digit(0, 9);
    QString text;
    text.reserve(count * 13);
    for (int i = 0; i < count; ++i) {
        for (int d = 0; d < 12; ++d) text += QChar('0' + digit(random));
        text += '\n';
    }
    return text;
}

// Each iteration types one character into the data field: the controller
// encodes, sets the font string, the preview and the notice.
void Keystroke(benchmark::State& state, CodeType type, const char* data) {
    MainWindow window;
    window.show();
    const auto& w = window.widgets();
    w.codeSelector->setCurrentIndex(type);
    emit w.codeSelector->activated(type);
    const QString texts[2] = {QString::fromLatin1(data), QString::fromLatin1(data) + '9'};
    int i = 0;
    for (auto _ : state) {
        const QString& text = texts[i ^= 1];
        w.dataToEncode->setText(text);
        emit w.dataToEncode->textEdited(text);
    }
    benchmark::DoNotOptimize(w.convertString->text());
}
BENCHMARK_CAPTURE(Keystroke, ean13, EAN13, "400638133393")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Keystroke, code128_48, C128, "abcdefghijabcdefghijabcdefghijabcdefghijabcdefg")
    ->Unit(benchmark::kMicrosecond);

// Convert pressed with 100,000 lines in the input, until the output view holds them.
void Convert100k(benchmark::State& state) {
    MainWindow window;
    window.show();
    const auto& w = window.widgets();
    w.batchCodeSelector->setCurrentIndex(EAN13);
    emit w.batchCodeSelector->activated(EAN13);
    w.batchInput->setPlainText(ean13Lines(100000));
    long grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.batchOutput->clear();
        const long before = residentBytes();
        state.ResumeTiming();
        w.convertButton->click();
        state.PauseTiming();
        grown = std::max(grown, residentBytes() - before);
        // 100,000 font strings of 16 characters and their line ends.
        if (w.batchOutput->document()->characterCount() < 100000 * 17) {
            state.SkipWithError("the output is incomplete");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["memory_growth_MB"] = double(grown) / (1024 * 1024);
}
BENCHMARK(Convert100k)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bcfont::app::MyApplication application(argc, argv);
    bcfont::app::loadBarcodeFonts(bcfont::app::barcodeFontDirectory());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
