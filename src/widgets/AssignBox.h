#pragma once

#include <QLineEdit>

namespace zoz {

// A locked text box that shows an assignment (a channel or a GPIO function). Its code lives in
// the "Tag" property as decimal text; a click (or a key) opens the chooser of its page.
class AssignBox : public QLineEdit {
    Q_OBJECT
public:
    AssignBox(const QString& arrayName, int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    QString tag() const;
    void setTag(const QString& tag);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Space, Enter, F4 and Alt+Down open the chooser as a click does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_index;
};

} // namespace zoz
