// zalvoreplay LOG [--library PATH] [--map OLD=NEW ...]: makes the calls of a saved call log
// again against a payment library and says for each whether it answers as recorded.
#include "binding/DLLAPI.h"
#include "calllog/CallLogReader.h"
#include "calllog/CallReplay.h"
#include "calllog/ReplayLibrary.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

using zalvo::calllog::CallLogReader;
using zalvo::calllog::CallReplay;
using zalvo::calllog::PathMapping;
using zalvo::calllog::ReplayLibrary;

namespace {

// Besides CallReplay's 0 (all equal) and 1 (something differs): nothing could be compared.
constexpr int kCannotCompare = 2;

constexpr const char* kUsage =
    "Aufruf: zalvoreplay PROTOKOLL [--library PFAD] [--map ALT=NEU ...]\n"
    "  Macht die Aufrufe eines gespeicherten Aufrufprotokolls erneut und vergleicht Ergebnis\n"
    "  und zurückgeschriebene Bytes. Ohne --library wird Zalvotech.dll wie vom Programm\n"
    "  geladen (zuerst aus dem aktuellen Verzeichnis). --map ersetzt Pfadanfänge in Pfadfeldern.\n"
    "  Exit-Code: 0 alles gleich, 1 etwas verschieden, 2 Protokoll unlesbar oder kein Vergleich.\n";

struct Options {
    std::string log;
    std::string library{zalvo::DLLAPI::kLibraryFileName};
    std::vector<PathMapping> mappings;
};

std::optional<Options> parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--library" && hasValue) {
            options.library = argv[++i];
        } else if (argument == "--map" && hasValue) {
            const std::optional<PathMapping> mapping = CallReplay::parseMapping(argv[++i]);
            if (!mapping) {
                std::cerr << "zalvoreplay: --map erwartet ALT=NEU, nicht \"" << argv[i] << "\"\n";
                return std::nullopt;
            }
            options.mappings.push_back(*mapping);
        } else if (argument.rfind("--", 0) != 0 && options.log.empty()) {
            options.log = argument;
        } else {
            std::cerr << "zalvoreplay: unbekanntes Argument \"" << argument << "\"\n";
            return std::nullopt;
        }
    }
    if (options.log.empty()) {
        return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << kUsage;
        return kCannotCompare;
    }
    std::ifstream in(std::filesystem::u8path(options->log), std::ios::binary);
    if (!in) {
        std::cerr << "zalvoreplay: " << options->log << ": Datei kann nicht gelesen werden\n";
        return kCannotCompare;
    }
    // The whole log is checked before the first call.
    const CallLogReader::Result log = CallLogReader::read(in);
    if (!log.ok()) {
        std::cerr << "zalvoreplay: " << options->log << ": Zeile " << log.errorLine << ": "
                  << log.error << "\n";
        return kCannotCompare;
    }
    const std::optional<ReplayLibrary> library = ReplayLibrary::load(options->library);
    if (!library) {
        std::cerr << "zalvoreplay: " << options->library
                  << " kann nicht geladen werden: " << ReplayLibrary::error() << "\n";
        return kCannotCompare;
    }
    return CallReplay(*library, options->mappings).run(log.calls, std::cout);
}
