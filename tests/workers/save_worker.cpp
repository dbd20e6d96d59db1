// Saves one kind of player file over and over, alternating two contents, until it is killed.
// The crash test kills it at random moments and checks the file is never torn.
#include <QCoreApplication>
#include <QList>
#include <cstdio>

#include "common/RecordFile.h"

// Record counts of the player's files: Data.dat 1, Data 2, Heat 2, PracticeTime 11, gen 1,
// genderby 1, TimeTrialData 10.
QList<QByteArray> Content(int records, char fill) {
    QList<QByteArray> out;
    for (int i = 0; i < records; ++i) out << QByteArray(kd::kRecordSize, char(fill + i));
    return out;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int records = atoi(argv[2]);
    const QList<QByteArray> a = Content(records, 'A'), b = Content(records, 'a');
    if (!kd::RecordFile::WriteRange(path, 1, a)) return 3;
    std::puts("ready");
    std::fflush(stdout);
    for (unsigned i = 1;; ++i)
        if (!kd::RecordFile::WriteRange(path, 1, (i & 1) ? b : a)) return 4;
}
