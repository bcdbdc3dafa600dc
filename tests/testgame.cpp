#include "tests/testgame.h"

#include <QFile>

namespace {

// Everything a level lays out.
constexpr Component TForm1::*LevelElements[] = {
    &TForm1::hinder1,  &TForm1::Hinder2,  &TForm1::Hinder3, &TForm1::Hinder4,  &TForm1::hinder5,
    &TForm1::hinder6,  &TForm1::hinder8,  &TForm1::hinder9, &TForm1::hinder10, &TForm1::hinder11,
    &TForm1::hinder12, &TForm1::hinder13, &TForm1::dig1,    &TForm1::dig2,     &TForm1::dig3,
    &TForm1::dig4,     &TForm1::dig5,     &TForm1::dig6,    &TForm1::dig7,     &TForm1::dig8,
    &TForm1::dig9,     &TForm1::dig10,    &TForm1::dig11,
};

}  // namespace

TestGame::TestGame(const std::optional<QString>& levelText, bool startUp)
    : levelFile(std::filesystem::path(dir.path().toStdString()) / "328lvd.ini"),
      game(platform, [this] { return ProfileFile(levelFile); }),
      form(game.Form1) {
    if (!dir.isValid()) {
        qFatal("no temporary directory for the level file");
    }
    if (levelText) {
        QFile file(QString::fromStdString(levelFile.string()));
        if (!file.open(QIODevice::WriteOnly) || file.write(levelText->toUtf8()) < 0) {
            qFatal("cannot write the level file");
        }
    }
    if (startUp) {
        this->startUp();
    }
}

void TestGame::startUp() {
    form.FormCreate();
    form.setEnabled(true);
}

void TestGame::startRound() {
    form.Label4Click();
    for (Component TForm1::*element : LevelElements) {
        park(form.*element);
    }
}

int TestGame::ticks(int count) {
    int done = 0;
    for (; done < count && form.Timer1.Enabled; ++done) {
        form.Timer1Timer();
    }
    return done;
}

void TestGame::put(Component& element, int32 left, int32 top, int32 width, int32 height) {
    element.Left = left;
    element.Top = top;
    element.Width = width;
    element.Height = height;
    element.Visible = true;
}

void TestGame::park(Component& element) {
    element.Left = -1000;
}

void TestGame::putBall(int32 left, int32 top) {
    form.ball.Left = left;
    form.ball.Top = top;
    form.posx = left * form.teiler;
    form.posy = top * form.teiler;
}

QStringList TestGame::messages() const {
    QStringList texts;
    for (const std::string& text : platform.messages) {
        texts << QString::fromStdString(text);
    }
    return texts;
}
