#pragma once

#include "shell/form.h"

class QLabel;

namespace orv {

// The per-question window under FrmTak: the time spent on the current
// question against its frozen budget and against the standard 210 seconds.
// It has no clock of its own; FrmTak drives it through its elapsed counter.
class FrmDur : public Form
{
    Q_OBJECT
    Q_PROPERTY(QString TextEcnt READ textEcnt WRITE setTextEcnt)
    Q_PROPERTY(int DivTime READ divTime)

public:
    FrmDur();

    // The elapsed counter. It is internal state, out of the keyboard's reach;
    // every write loads the window if need be (without showing it) and
    // refreshes it before returning.
    QString textEcnt() const { return m_textEcnt; }
    void setTextEcnt(const QString &text);
    double counterValue() const;

    int divTime() const { return m_divTime; }

    int GetSavedTime();
    static QString GetTStr(int seconds);

public slots:
    void TextEcnt_Change();

protected:
    void formLoad() override;
    void formFramed() override;
    void changeEvent(QEvent *event) override;

private:
    void placeUnderPacingWindow();

private:

    QString m_textEcnt;
    int m_divTime = 0;
};

} // namespace orv
