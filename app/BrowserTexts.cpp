#include "app/BrowserTexts.h"

#include <iterator>

#include "platform/core/Strings.h"

namespace app::texts {

namespace {

constexpr const char* kBreak = "\r";
constexpr const char* kTwoBreaks = "\r\r";

std::string Num(int64_t v) {
    return platform::core::IntToStr(v);
}

}  // namespace

std::string ConfigurationNotFound(const std::string& iniPath) {
    return std::string("Configuration for puzzle package not found. Package will be skipped:") + kTwoBreaks +
           "Konfiguration f\u00fcr Puzzle-Paket nicht gefunden. Packet wird \u00fcbersprungen:" + kTwoBreaks +
           iniPath;
}

std::string ConfigurationUnreadable(const std::string& iniPath) {
    return std::string("Configuration for puzzle package cannot be read. Package will be skipped:") + kTwoBreaks +
           "Konfiguration f\u00fcr Puzzle-Paket kann nicht gelesen werden. Paket wird \u00fcbersprungen:" +
           kTwoBreaks + iniPath;
}

std::string PackageIncomplete(const std::string& folder) {
    return std::string("Puzzle package is incomplete and will be skipped:") + kTwoBreaks +
           "Puzzle-Packet ist unvollst\u00e4ndig und wird \u00fcbersprungen:" + kTwoBreaks + folder;
}

std::string NoPackagesFound() {
    return std::string("No puzzle packages found. Please, check your installation.") + kTwoBreaks +
           "Keine Puzzle-Pakete gefunden. Bitte \u00fcberpr\u00fcfe Deine Installation.";
}

std::string PreviewNotFound(const std::string& path) {
    return std::string("Preview image not found:") + kTwoBreaks +
           "Vorschaubild nicht gefunden:" + kTwoBreaks + path;
}

std::string PuzzleNotFound(const std::string& path) {
    return std::string("Puzzle not found (If you use the demo, please, order the full product):") +
           kTwoBreaks +
           "Puzzle nicht gefunden (Falls Du die Demo verwendest, bestelle bitte die "
           "Vollversion):" +
           kTwoBreaks + path;
}

std::string WineMissing(const std::string& path) {
    return std::string(
               "This puzzle is a Windows program and needs wine, which is not installed. "
               "Please, install wine with your system's package manager (for example: "
               "sudo apt install wine) and start the puzzle again:") +
           kTwoBreaks +
           "Dieses Puzzle ist ein Windows-Programm und braucht wine, das nicht installiert ist. "
           "Bitte installiere wine mit der Paketverwaltung Deines Systems (zum Beispiel: "
           "sudo apt install wine) und starte das Puzzle erneut:" +
           kTwoBreaks + path;
}

std::string SkinUnusable(const std::string& path, const std::string& reason) {
    std::string text = std::string("This skin cannot be used; the current skin stays:") + kTwoBreaks +
                       "Dieser Skin kann nicht verwendet werden; der bisherige Skin bleibt:" + kTwoBreaks +
                       path;
    if (!reason.empty()) text += kTwoBreaks + reason;
    return text;
}

std::string PuzzleNotStarted(const std::string& path, const std::string& reason) {
    std::string text = std::string("Puzzle could not be started:") + kTwoBreaks +
                       "Puzzle konnte nicht gestartet werden:" + kTwoBreaks + path;
    if (!reason.empty()) text += kTwoBreaks + reason;
    return text;
}

std::string LastPageShown() {
    return std::string("You already see the last page.") + kTwoBreaks + "Du siehst bereits die letzte Seite.";
}

std::string FirstPageShown() {
    return std::string("You already see the first page.") + kTwoBreaks + "Du siehst bereits die erste Seite.";
}

std::string Help() {
    static constexpr const char* kLines[] = {
        "Short introduction:",
        "For starting a puzzle, first, select the puzzle package.",
        "Next, click on a puzzle preview and select the severity.",
        "In the end click on the start button to play the puzzle.",
        "Alternatively, you can double click on a preview.",
        "Hint: Your selection is saved for the next session.",
        "",
        "Kurzanleitung:",
        "Um ein Puzzle zu starten, mu\u00dft Du zuerst das Puzzle-Paket ausw\u00e4hlen.",
        "Danach klickst Du auf eine Puzzle-Vorschau und w\u00e4hlst den Schwierigkeitsgrad.",
        "Zum Schlu\u00df klickst Du auf den Start-Knopf, um das Puzzle zu spielen.",
        "Alternativ kannst Du auch einen Doppelklick auf eine Vorschau ausf\u00fchren.",
        "Hinweis: Deine Auswahl wird f\u00fcr die n\u00e4chste Sitzung gespeichert.",
    };
    std::string text;
    for (std::size_t i = 0; i < std::size(kLines); ++i) {
        if (i > 0) text += kBreak;
        text += kLines[i];
    }
    return text;
}

std::string Status(int64_t packages, int64_t puzzles) {
    return Num(packages) + (packages == 1 ? " Package / Paket, " : " Packages / Pakete, ") + Num(puzzles) +
           (puzzles == 1 ? " Puzzle" : " Puzzles");
}

std::string StartCaption(int64_t puzzleNumber) {
    return "&Start: Puzzle " + Num(puzzleNumber);
}

std::string PuzzlesLabel(int64_t puzzles) {
    return Num(puzzles) + (puzzles == 1 ? " Puzzle:" : " Puzzles:");
}

std::string PuzzlePage(int64_t page, int64_t pages) {
    return Num(page) + " / " + Num(pages);
}

}  // namespace app::texts
