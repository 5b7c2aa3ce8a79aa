#pragma once
// The verification report: the text of what is on screen (the system summary
// captions and the result tree) and its file form (code page 1250, CR LF).
// The results window's report command asks where to save it.

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalogue/DrzewoWyniku.h"
#include "platform/Platforma.h"

namespace pro {

struct NaglowekRaportu {
    std::string wersja;     // the program's file version, or its fallback text
    std::string data_czas;  // short date, a blank, long time (no time at 00:00:00)
    std::array<std::string, 4> podsumowanie;  // captions: system, platform, admin, UAC
};

// Short date, a blank and the long time; the date alone at exactly 00:00:00.
std::string DataCzasRaportu(Platforma& platforma, const CzasLokalny& czas);

// The text of `wezly` (siblings, in order) and of everything below them, at
// `poziom`; a line feed after each line.
std::string TekstDrzewa(int poziom, std::span<const std::unique_ptr<WezelWyniku>> wezly);

// The whole report, a line feed after each line.
std::string TrescRaportu(const NaglowekRaportu& naglowek, const DrzewoWyniku& drzewo);

// The file's bytes: code page 1250, each line feed written as CR LF.
std::string BajtyRaportu(const std::string& tresc);

// "Raport_probieratora_" + the short date + ".txt", with every character that
// a file name cannot hold replaced by "-".
std::string NazwaRaportu(const std::string& krotka_data);

}  // namespace pro
