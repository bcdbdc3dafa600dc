#pragma once

#include "windows/infowindow.h"

// The about box: the program's name, its makers, a short notice and the version. It is not
// modal, so the game goes on while it is open; OK and the close box hide it.
class AboutBox : public InfoWindow {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);

private:
    void addTitle();
    void addNotice();
    void addContacts();
};
