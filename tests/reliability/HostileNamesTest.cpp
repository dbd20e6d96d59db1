#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <iostream>

#include "chains/ChainKit.h"
#include "common/GameState.h"
#include "common/PlayerList.h"

using namespace kd;
using namespace kd::test;

namespace {

// Everything below a folder, with size and time, leaving out one sub-folder.
QStringList Snapshot(const QString& folder, const QString& skip = QString()) {
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!skip.isEmpty() && (path == skip || path.startsWith(skip + u'/'))) continue;
        const QFileInfo fi = it.fileInfo();
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(path, fi.isDir() ? QStringLiteral("dir") : QString::number(fi.size()),
                        fi.lastModified().toString(Qt::ISODateWithMs), QString::number(fi.permissions()));
    }
    out.sort();
    return out;
}

enum class Expect { Refused, Stored };

struct NameCase {
    QString name;
    Expect expect;
    QString message;  // the start of the refusal, when refused
};

QString Repeat(const QString& s, int n) {
    return s.repeated(n);
}

const QString kForbidden = QStringLiteral("\\/:*?\"<>|は使えません。");
const QString kDots = QStringLiteral("「.」と「..」は名前に使えません。");
const QString kControl = QStringLiteral("制御文字は名前に使えません。");
const QString kSpace = QStringLiteral("名前の最初と最後に空白は使えません。");
const QString kLong = QStringLiteral("名前が長すぎます。全角なら43文字、半角なら86文字までにしてください。");
const QString kCannot = QStringLiteral("「");  // 「x」は使えません。

QList<NameCase> Cases() {
    QList<NameCase> c;
    // Paths and the characters a folder name cannot hold.
    for (const char* n : {"../x", "../../etc", "a/b", "/abs", "\\x", "x\\..\\y", "a:b", "*", "a?b", "\"q\"",
                          "<x>", "a|b", "C:\\Windows", "./"})
        c << NameCase{QString::fromUtf8(n), Expect::Refused, kForbidden};
    c << NameCase{QStringLiteral("."), Expect::Refused, kDots}
      << NameCase{QStringLiteral(".."), Expect::Refused, kDots};
    // Control characters.
    for (const QString& n :
         {QStringLiteral("a\tb"), QStringLiteral("a\nb"), QStringLiteral("\r"), QStringLiteral("a\u0001b"),
          QStringLiteral("a\u007fb"), QStringLiteral("\u0085x"), QString::fromUtf16(u"a\0b", 3),
          QStringLiteral("\u001b[31mred")})
        c << NameCase{n, Expect::Refused, kControl};
    // Text Shift-JIS cannot hold, or would not give back unchanged.
    for (const QString& n :
         {QStringLiteral("😀"), QStringLiteral("Bob😀"), QStringLiteral("é"), QStringLiteral("Zoë"),
          QStringLiteral("ß"), QStringLiteral("한국"), QStringLiteral("a\u200bb"), QStringLiteral("a\u202eb"),
          QStringLiteral("か\u3099"), QString(QChar(0xD800)), QStringLiteral("x") + QChar(0xDC00),
          QStringLiteral("〜"), QStringLiteral("Ünicode"), QStringLiteral("\uFEFFbom")})
        c << NameCase{n, Expect::Refused, kCannot};
    // Spaces at either end.
    for (const QString& n : {QStringLiteral(" Bob"), QStringLiteral("Bob "), QStringLiteral("　Bob"),
                             QStringLiteral("Bob　"), QStringLiteral("\u00a0Bob"), QStringLiteral(" ")})
        c << NameCase{n, Expect::Refused, kSpace};
    // Too long for the list (86 bytes hold all names together) or for a folder name.
    for (const QString& n :
         {Repeat("a", 200), Repeat("あ", 100), Repeat("a", 87), Repeat("漢", 44), Repeat("x", 5000)})
        c << NameCase{n, Expect::Refused, kLong};
    // Harmless however odd: stored as a folder right inside the data folder.
    for (const char* n :
         {"Bob",       "bob",   "BOB", "CON", "nul", "...",  ".hidden",      "-rf", "~",  "$HOME",
          "%APPDATA%", "a;b&c", "`x`", "x.",  "a b", "ｶﾀｶﾅ", "日本語の名前", "～",  "①②", "DefaultUser"})
        c << NameCase{QString::fromUtf8(n), Expect::Stored, QString()};
    c << NameCase{Repeat("n", 86), Expect::Stored, QString()}
      << NameCase{Repeat("漢", 43), Expect::Stored, QString()};
    return c;
}

}  // namespace

TEST(HostileNames, EachIsRefusedWithAMessageOrStoredInsideTheDataFolder) {
    QTemporaryDir outer;
    const QString root = outer.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(root));
    // Neighbours a name must never reach.
    ASSERT_TRUE(QDir().mkpath(outer.filePath(QStringLiteral("x"))));
    QFile neighbour(outer.filePath(QStringLiteral("etc")));
    ASSERT_TRUE(neighbour.open(QIODevice::WriteOnly));
    neighbour.write("keep");
    neighbour.close();
    const QStringList outside = Snapshot(outer.path(), root);

    ChainApp app;
    app.g.programFolder = root;
    int tried = 0, refused = 0, stored = 0;
    for (const NameCase& c : Cases()) {
        SCOPED_TRACE(c.name.left(40).toStdString());
        ++tried;
        for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
        TestApp::Flush();
        app.msg.asked.clear();
        app.nav.Show(Screen::InputUserName);
        const QStringList before = Snapshot(root);
        auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
        box->setEditText(c.name);  // pasted: a key cannot type most of these
        Press(box, Qt::Key_Return);

        if (c.expect == Expect::Refused) {
            ++refused;
            ASSERT_EQ(app.msg.asked.size(), 1) << "one message, and no confirmation question";
            EXPECT_TRUE(app.msg.asked[0].text.startsWith(c.message)) << app.msg.asked[0].text.toStdString();
            EXPECT_EQ(app.msg.asked[0].buttons, MsgButtons::OK);
            EXPECT_EQ(app.NowScreen(), Screen::InputUserName);
            EXPECT_EQ(box->lineEdit()->selectedText(), c.name) << "the name is selected for retyping";
            EXPECT_EQ(Snapshot(root), before);
        } else {
            ++stored;
            ASSERT_EQ(app.msg.asked.size(), 1) << app.msg.asked.value(0).text.toStdString();
            EXPECT_EQ(app.msg.asked[0].text, c.name + QStringLiteral("さんでよろしいですか？"));
            ASSERT_EQ(app.NowScreen(), Screen::Main);
            const QFileInfo folder(root + u'/' + c.name);
            EXPECT_TRUE(folder.isDir());
            EXPECT_EQ(QFileInfo(folder.canonicalFilePath()).path(), QFileInfo(root).canonicalFilePath());
            EXPECT_TRUE(QFileInfo(folder.filePath() + QStringLiteral("/DATA/Data")).isFile());
            const auto names = UnpackUserNames(app.ReadFile(root + QStringLiteral("/Data.dat")));
            ASSERT_TRUE(names.has_value());
            EXPECT_EQ(names->value(0), c.name) << "the list gives the name back unchanged";
        }
        EXPECT_EQ(Snapshot(outer.path(), root), outside) << "nothing outside the data folder changed";
    }

    // Names differing only in case are different players with different folders.
    for (const char* n : {"Bob", "bob", "BOB"})
        EXPECT_TRUE(QFileInfo(root + u'/' + QString::fromLatin1(n)).isDir());
    // A fresh start lists only names whose folders are right inside the data folder.
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();
    app.nav.Show(Screen::InputUserName);
    auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
    ASSERT_GT(box->count(), 0);
    for (int i = 0; i < box->count(); ++i) {
        const QFileInfo fi(root + u'/' + box->itemText(i));
        EXPECT_TRUE(fi.isDir()) << box->itemText(i).toStdString();
        EXPECT_EQ(QFileInfo(fi.canonicalFilePath()).path(), QFileInfo(root).canonicalFilePath());
    }
    EXPECT_EQ(QFileInfo(root + QStringLiteral("/Data.dat")).size(), 128);
    EXPECT_TRUE(QDir(root).entryList({QStringLiteral(".*tmp*")}, QDir::Hidden | QDir::Files).isEmpty())
        << "no temporary file left behind";
    EXPECT_EQ(Snapshot(outer.path(), root), outside);

    std::cout << "[ names    ] " << tried << " names tried: " << refused << " refused, " << stored
              << " stored\n";
    EXPECT_EQ(tried, refused + stored);
}
