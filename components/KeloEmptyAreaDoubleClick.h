#pragma once

#include <QAbstractItemView>
#include <QEvent>
#include <QMouseEvent>

#include <functional>
#include <utility>

/// Runs an action on a double-click in the empty area of a list, below its rows, where the
/// list itself reports nothing: an empty list must open the same dialog a row opens.
class KeloEmptyAreaDoubleClick : public QObject {
public:
    KeloEmptyAreaDoubleClick(QAbstractItemView* view, std::function<void()> action)
        : QObject(view), view(view), action(std::move(action)) {
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            !view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint()).isValid()) {
            action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractItemView* view;
    std::function<void()> action;
};
