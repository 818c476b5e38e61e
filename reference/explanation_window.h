// ExplanationWindow, the explanation pop-up: a small borderless rounded window beside the editor
// that shows the explanation of the entry clicked in the value list or of the word looked up in the
// editor, or the picture of a weapon. It is dragged by any point of its surface.
#pragma once

#include "state/app_context.h"

#include <QWidget>
#include <optional>

class QImage;
class QLabel;
class QScrollArea;

class ExplanationWindow : public QWidget {
    Q_OBJECT
public:
    explicit ExplanationWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The text label shows `text`; the picture is hidden.
    void showExplanation(const QString& text);
    // The picture takes the text's place; the text label keeps its text for later.
    void showPicture(const QImage& picture);
    void hidePicture();

    QString explanation() const;
    bool pictureShown() const;
    // It has something to show: an explanation or a picture.
    bool hasContent() const;

    // Showing the pop-up asks for it: it stands on the screen only while it has something to
    // show and the player works in the main window or its tool windows, so it never stands
    // empty, nor over a window the player works in (the keyboard map, the wizard, help).
    void setVisible(bool visible) override;
    bool isRequested() const { return m_requested; }

public slots:
    void FormCreate();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void showOrHide();
    bool ownerActive() const;

    bool m_requested = false;
    // Where the pointer took hold of the window, relative to its top left; empty while not
    // dragging.
    std::optional<QPoint> m_grip;

    // Controls, named as the program names them.
    QScrollArea* TextArea = nullptr; // the text label, scrolled when it does not fit
    QLabel* lbl = nullptr;
    QLabel* Image1 = nullptr;
};
