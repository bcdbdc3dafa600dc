#pragma once

#include <QDialog>

class Game;
class QPushButton;

// The round-end dialog: shows the flying message and hands its button and its close box to the
// rules.
class RoundEndDialog : public QDialog {
    Q_OBJECT

public:
    explicit RoundEndDialog(Game& game, QWidget* parent = nullptr);

    QPushButton* button() const { return label2; }
    // Brings the dialog up to date with the rules after any event they handled.
    void refresh();

signals:
    // The rules have had the button or the close box and may have changed anything.
    void handled();
    // The dialog has come up; showing it ran its activation already.
    void shown();

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void closeByFrame();

    Game& game;
    QPushButton* label2;
};
