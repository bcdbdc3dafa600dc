#include "tests/testgame.h"

#include <QFile>

#include "play/levelelements.h"
#include "play/rules.h"

TestGame::TestGame(const std::optional<QString>& levelText, bool startUp)
    : levelFile(std::filesystem::path(dir.path().toStdString()) / "328lvd.ini"),
      headless([this] { return ProfileFile(levelFile); }, HeadlessGame::Begin::BeforeStartUp),
      platform(headless.platform),
      game(headless.game),
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
    headless.startUp();
}

void TestGame::startRound() {
    form.Label4Click();
    for (const ElementId element : LevelElements) {
        park(form.*element.member());
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
    element.Left = rules::HiddenLeft;
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
