#pragma once
// Code page 932 as glibc's converter reads and writes it (common/Cp932Table.cpp, made by
// tools/cp932gen). Lead byte 0 stands for the one-byte codes above ASCII.

namespace kd::cp932 {

struct LinearRun {
    unsigned char lead, firstTrail;
    unsigned short count;
    char16_t first;
};
struct TextRun {
    unsigned char lead, firstTrail;
    const char16_t* text;
};
struct Preferred {
    char16_t character;
    unsigned short code;  // 0: refused
};

extern const LinearRun kLinearRuns[];
extern const int kLinearRunCount;
extern const TextRun kTextRuns[];
extern const int kTextRunCount;
extern const Preferred kPreferred[];
extern const int kPreferredCount;

}  // namespace kd::cp932
