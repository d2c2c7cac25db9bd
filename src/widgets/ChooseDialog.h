#pragma once

#include <QDialog>
#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zoz {

class Texts;

// frmChoose: the one selection dialog of the program. The caller fills the list, presets
// ChosenItemData with the current code and shows it modally; afterwards ChosenItemData holds the
// chosen code ("" for OK without a selection) or, after Cancel, still the preset.
class ChooseDialog : public QDialog {
    Q_OBJECT
public:
    // Runs instead of the modal loop while set; the dialog is shown (not modal) around the call,
    // so a test can click the real list and buttons without a nested event loop blocking it.
    using ModalRunner = std::function<void(ChooseDialog&)>;

    explicit ChooseDialog(const Texts& texts, QWidget* parent = nullptr);

    QString ChosenItemData;

    void clearList();
    void addItem(const QString& text, int itemData);
    QListWidget* lstChoose() const { return m_list; }

    // Shows the dialog modally (or through the runner) and returns when it is hidden again.
    void showModal();
    void setModalRunner(ModalRunner runner) { m_runner = std::move(runner); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void activate();
    void onOk();
    void onCancel();

    QListWidget* m_list;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    ModalRunner m_runner;
};

} // namespace zoz
