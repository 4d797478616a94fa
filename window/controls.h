// The controls of Form1, by the names the handlers use.
#pragma once

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace kz {

struct Controls {
    QAction *cmdEnde = nullptr;
    QAction *cmdInfo = nullptr;

    QPlainTextEdit *txtErgebnis = nullptr;
    QLineEdit *txtHilfe = nullptr;
    QFrame *pisSteuerung = nullptr;

    QPushButton *Command1 = nullptr; // start
    QPushButton *Command2 = nullptr; // clear
    QPushButton *Command3 = nullptr; // abort
    QPushButton *cmdEinzelfall = nullptr;
    QPushButton *Command4 = nullptr; // base +
    QPushButton *Command5 = nullptr; // base -
    QPushButton *Command6 = nullptr; // lower bound +
    QPushButton *Command7 = nullptr; // lower bound -
    QPushButton *Command8 = nullptr; // upper bound +
    QPushButton *Command9 = nullptr; // upper bound -

    QLineEdit *txtEinzelfall = nullptr;
    QLineEdit *txtSystem = nullptr;
    QLineEdit *txtnn = nullptr;
    QLineEdit *txtugrenze = nullptr;

    QCheckBox *chkNichttrivial = nullptr;
    QCheckBox *chkTeiler = nullptr;
    QCheckBox *chkzugross = nullptr;

    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QWidget *Line1 = nullptr;
    QWidget *Line2 = nullptr;
    QWidget *Shape1 = nullptr;
    QWidget *Shape2 = nullptr;
};

} // namespace kz
