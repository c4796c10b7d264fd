#pragma once

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the modal dialogs a test opens, in order: each answer gets the next modal widget that
// becomes active once the one answered before has been hidden or covered. A watchdog closes every
// modal widget still open after the given time, so a test whose dialog is not answered fails fast
// instead of hanging; check AllAnswered() and WatchdogFired() afterwards.
//
//     ModalAnswers answers({[](QWidget* box) { box->findChild<QPushButton*>("OKBtn")->click(); }});
//     form.exec();
//     QVERIFY(answers.AllAnswered());
class ModalAnswers : public QObject
{
public:
    using Answer = std::function<void(QWidget* modal)>;

    explicit ModalAnswers(QList<Answer> answers, int watchdogMilliseconds = 5000)
        : pending_(std::move(answers))
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] { AnswerNext(); });
        poll_.start(10);
        watchdog_.setInterval(watchdogMilliseconds);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] { CloseEveryModal(); });
        watchdog_.start();
    }

    bool AllAnswered() const { return pending_.isEmpty(); }
    // A modal widget that stays open under the dialogs still to be answered (a form answered
    // first); it gets no answer when it becomes active again between them.
    void PassOver(QWidget* modal) { passedOver_ = modal; }
    bool WatchdogFired() const { return watchdogFired_; }

private:
    void AnswerNext()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (pending_.isEmpty() || !modal || modal == lastAnswered_ || modal == passedOver_)
            return;
        lastAnswered_ = modal;
        modal->installEventFilter(this);
        const Answer answer = pending_.takeFirst();
        answer(modal);
    }

    // A dialog shown again after it was answered (a reused one) is a new dialog to answer.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && watched == lastAnswered_) {
            watched->removeEventFilter(this);
            lastAnswered_ = nullptr;
        }
        return false;
    }

    void CloseEveryModal()
    {
        watchdogFired_ = true;
        watchdog_.setInterval(500); // again, for a dialog that refuses or a nested one
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    }

    QList<Answer> pending_;
    QPointer<QWidget> lastAnswered_;
    QPointer<QWidget> passedOver_;
    QTimer poll_;
    QTimer watchdog_;
    bool watchdogFired_ = false;
};
