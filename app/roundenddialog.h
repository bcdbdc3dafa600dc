#pragma once

#include <QDialog>
#include <QTimer>

class Game;
class QPushButton;

// The round-end dialog: shows the flying message and hands its button, its close box and its
// two timers to the rules.
class RoundEndDialog : public QDialog {
    Q_OBJECT

public:
    explicit RoundEndDialog(Game& game, QWidget* parent = nullptr);

    QPushButton* button() const { return label2; }
    void refresh();
    // Runs the two timers while the rules have them enabled; the main window's handlers switch
    // them too.
    void followTimers();

signals:
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
    QTimer Timer2;
    QTimer Timer1;
};
