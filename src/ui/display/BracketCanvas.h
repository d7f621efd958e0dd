#pragma once
// The display's bracket page: the whole bracket as the printout draws it, in the screen's colours.
// Drawing all of it takes longer than the display may keep the operator waiting after a result,
// so the picture is drawn away from the windows' thread and shown when it is ready.

#include <QImage>
#include <QWidget>

#include <future>

namespace zorbon::ui {

class Model;

class BracketCanvas : public QWidget {
    Q_OBJECT
public:
    BracketCanvas(const Model& model, QWidget* parent);
    ~BracketCanvas() override; // waits for a drawing under way

    // Draws the bracket in play as it stands now; the page shows it once it is drawn.
    void redraw();
    // The picture shown is the last one asked for, at the page's size.
    bool isCurrent() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void start();
    void drawn(const QImage& picture, int generation, QSize logical);

    const Model& m_model;
    QImage m_picture;
    QSize m_pictureSize; // the page's size it was drawn for
    std::future<void> m_job;
    int m_asked = 0;        // redraws asked for
    int m_shown = 0;        // the redraw whose picture is shown
    bool m_waiting = false; // asked for while a drawing was under way
};

} // namespace zorbon::ui
