#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace kd::assetgen {

struct Piece {
    QString fileName;                     // as the screens ask for it
    QString role;                         // one line for people: what it is and where it plays
    std::function<QByteArray()> compose;  // the Standard MIDI File
};

std::vector<Piece> AllPieces();

}  // namespace kd::assetgen
