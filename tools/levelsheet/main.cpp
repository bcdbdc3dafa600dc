// quirlon95-levelsheet LEVELFILE PICTURE [--ways] [--width W] [N...]
// Draws every level of a level file (or the ones named) side by side on one contact sheet, each as
// the play field shows it right after the level's start click. With --ways the sheet also shows
// the way the solver found through each level: the ball's in white, the held red bar's in red; and
// under it the proof's time, grabs, margin and difficulty, or that there is no proof (then the way
// is the attempt that came nearest).
// With --width the sheet is scaled down to W pixels across, for a page.
#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <iostream>
#include <iterator>
#include <optional>

#include "app/playfield.h"
#include "designer/leveldocument.h"
#include "designer/proof.h"
#include "headless/headlessgame.h"
#include "play/rules.h"

namespace {

enum Sheet { Columns = 4, Gap = 8, StartX = 316, StartY = 200 };

const char* const Usage =
    "usage: quirlon95-levelsheet LEVELFILE PICTURE [--ways] [--width W] [N...]\n";

// A game on the level file, waiting for the start click of `level` as after a fresh start.
struct StartedGame : HeadlessGame {
    StartedGame(const TForm1::LevelFileOpener& opener, int32 level) : HeadlessGame(opener) {
        standardStart(level);
    }
};

// The centres of the ball after each tick, and of the red bar while it is held, as the
// playthrough goes.
struct Ways {
    QPainterPath ball;
    QPainterPath bar;
};

void extend(QPainterPath& path, QPointF point, bool& open) {
    if (open) {
        path.lineTo(point);
    } else {
        path.moveTo(point);
        open = true;
    }
}

Ways waysOf(const TForm1::LevelFileOpener& opener, int32 level, const Playthrough& found) {
    StartedGame started(opener, level);
    const TForm1& form = started.game.Form1;
    Ways ways;
    bool ballOpen = false, barOpen = false;
    // The hand ends the way: after the last level's the game puts the ball back to its start.
    for (const InputEvent& event : found.events) {
        started.play(event);
        if (started.reported(GameEvent::HandReached)) {
            break;
        }
        if (event.kind == InputEvent::Tick) {
            extend(
                ways.ball,
                QPointF(form.ball.Left + rules::BallSize / 2, form.ball.Top + rules::BallSize / 2),
                ballOpen);
        }
        if (form.ziehen) {
            extend(ways.bar,
                   QPointF(form.hinder7.Left + rules::RedBarWidth / 2,
                           form.hinder7.Top + rules::RedBarHeight / 2),
                   barOpen);
        } else {
            barOpen = false;
        }
    }
    return ways;
}

QString figuresOf(const LevelProof& proof) {
    const LevelFigures& figures = proof.figures;
    return QStringLiteral("%1 s · %2 · %3/%4 · %5")
        .arg(QLocale(QLocale::German).toString(figures.seconds, 'f', 1))
        .arg(figures.grabs == 1 ? QStringLiteral("1 Griff")
                                : QStringLiteral("%1 Griffe").arg(figures.grabs))
        .arg(figures.margin)
        .arg(figures.replays)
        .arg(QString::fromStdString(proof.difficulty));
}

QImage tileOf(const TForm1::LevelFileOpener& opener, int32 level, bool withWays) {
    StartedGame started(opener, level);
    started.play({InputEvent::Click, StartX, StartY});
    PlayField field(started.game);
    QImage tile = field.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (!withWays) {
        return tile;
    }
    const LevelProof proof = proveLevel(opener, level);
    const Ways ways = waysOf(opener, level, proof.playthrough);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 80, 80, 200), 2, Qt::DashLine));
    painter.drawPath(ways.bar);
    painter.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
    painter.drawPath(ways.ball);
    QFont font = painter.font();
    font.setPixelSize(16);
    painter.setFont(font);
    if (!proof.proved()) {
        std::cerr << "quirlon95-levelsheet: level " << level << " has no proof\n";
    }
    // On a dark plate of its own, so that the paddle under it does not hide it.
    const QString said = proof.proved() ? figuresOf(proof) : QStringLiteral("kein Beweis");
    const QRect plate =
        painter
            .boundingRect(tile.rect().adjusted(0, 0, 0, -4), Qt::AlignRight | Qt::AlignBottom, said)
            .adjusted(-6, -2, 0, 0);
    painter.fillRect(plate, QColor(0, 0, 0, 200));
    painter.setPen(proof.proved() ? Qt::white : Qt::red);
    painter.drawText(plate, Qt::AlignCenter, said);
    return tile;
}

QImage sheetOf(const std::vector<QImage>& tiles) {
    const QSize tile = tiles.front().size();
    const int columns = std::min<int>(Columns, int(tiles.size()));
    const int rows = (int(tiles.size()) + columns - 1) / columns;
    QImage sheet(columns * tile.width() + (columns + 1) * Gap,
                 rows * tile.height() + (rows + 1) * Gap, QImage::Format_RGB32);
    sheet.fill(QColor(64, 64, 64));
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int column = int(i) % columns, row = int(i) / columns;
        painter.drawImage(Gap + column * (tile.width() + Gap), Gap + row * (tile.height() + Gap),
                          tiles[i]);
    }
    return sheet;
}

std::vector<int32> levelsOf(const LevelDocument& document) {
    std::vector<int32> levels;
    for (const LevelDocument::Level& level : document.levels()) {
        if (level.read) {
            levels.push_back(level.number);
        }
    }
    std::sort(levels.begin(), levels.end());
    return levels;
}

struct Options {
    bool withWays = false;
    int width = 0;
    std::vector<int32> levels;
};

// What follows the level file and the picture; nothing when it makes no sense.
std::optional<Options> optionsOf(const QStringList& words) {
    Options options;
    for (auto word = words.begin(); word != words.end(); ++word) {
        bool number = false;
        const int level = word->toInt(&number);
        if (*word == QStringLiteral("--ways")) {
            options.withWays = true;
        } else if (*word == QStringLiteral("--width") && std::next(word) != words.end()) {
            options.width = (++word)->toInt();
            if (options.width < 1) {
                return std::nullopt;
            }
        } else if (number && level >= 1) {
            options.levels.push_back(level);
        } else {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    std::optional<Options> options = args.size() < 2 ? std::nullopt : optionsOf(args.mid(2));
    if (!options) {
        std::cerr << Usage;
        return 2;
    }
    LevelDocument::OpenError error{};
    const std::optional<LevelDocument> document =
        LevelDocument::open(args[0].toLocal8Bit().toStdString(), error);
    if (!document) {
        std::cerr << "quirlon95-levelsheet: cannot read " << args[0].toStdString() << "\n";
        return 2;
    }
    if (options->levels.empty()) {
        options->levels = levelsOf(*document);
    }
    if (options->levels.empty()) {
        std::cerr << "quirlon95-levelsheet: " << args[0].toStdString() << " has no level\n";
        return 1;
    }
    const std::string text = document->text();
    const TForm1::LevelFileOpener opener = [file = ProfileFile::fromText(text)] { return file; };
    std::vector<QImage> tiles;
    for (const int32 level : options->levels) {
        tiles.push_back(tileOf(opener, level, options->withWays));
    }
    QImage sheet = sheetOf(tiles);
    if (options->width > 0 && options->width < sheet.width()) {
        sheet = sheet.scaledToWidth(options->width, Qt::SmoothTransformation);
    }
    if (!sheet.save(args[1])) {
        std::cerr << "quirlon95-levelsheet: cannot write " << args[1].toStdString() << "\n";
        return 1;
    }
    std::cout << args[1].toStdString() << "\n";
    return 0;
}
