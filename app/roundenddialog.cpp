#include "app/roundenddialog.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>

#include "app/componentpainter.h"
#include "play/game.h"

namespace {

enum ButtonGeometry { ButtonLeft = 1, ButtonTop = 228, ButtonWidth = 404, ButtonHeight = 23 };

}  // namespace

RoundEndDialog::RoundEndDialog(Game& game, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      game(game),
      label2(new QPushButton(this)) {
    setWindowTitle(QStringLiteral("Quirlon 95"));
    setFixedSize(TForm2::ClientWidth, TForm2::ClientHeight);
    setModal(false);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    label2->setGeometry(ButtonLeft, ButtonTop, ButtonWidth, ButtonHeight);
    label2->setDefault(true);
    connect(label2, &QPushButton::clicked, this, [this] {
        this->game.Input.dialogButton();
        emit handled();
    });
    refresh();
}

void RoundEndDialog::refresh() {
    label2->setText(QString::fromStdString(game.Form2.label2Caption));
    update();
}

void RoundEndDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ComponentPainter::drawText(painter, game.Form2.Label1, ComponentPainter::messageFont(),
                               Qt::white);
}

void RoundEndDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    emit shown();
}

void RoundEndDialog::closeByFrame() {
    game.Input.dialogCloseBox();
    emit handled();
}

void RoundEndDialog::closeEvent(QCloseEvent* event) {
    closeByFrame();
    event->accept();
}

// Escape closes the dialog like its close box.
void RoundEndDialog::reject() {
    closeByFrame();
    QDialog::reject();
}
