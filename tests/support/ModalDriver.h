#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// Runs `act` on the next modal window of type T once its exec() loop is running, so a
// test can answer a real dialog. A dialog that never comes fails the test.
template <typename T>
void whenModal(std::function<void(T *)> act, int attemptsLeft = 200)
{
    QTimer::singleShot(10, [act = std::move(act), attemptsLeft]() mutable {
        if (auto *widget = qobject_cast<T *>(QApplication::activeModalWidget())) {
            act(widget);
            return;
        }
        if (attemptsLeft == 0) {
            ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
            return;
        }
        whenModal<T>(std::move(act), attemptsLeft - 1);
    });
}
