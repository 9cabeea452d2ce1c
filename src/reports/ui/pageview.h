#pragma once
// The pages of a rendered report, one under the other, painted as they scroll into view
// (a long report is never painted whole just to be looked at). Pages are painted as images
// by the report, on the thread that holds its document.
#include "reports/document.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <memory>

namespace reports {

class ReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class ZoomMode { FitWidth, Fixed };

    explicit ReportPageView(QWidget* parent = nullptr);

    void setReport(std::shared_ptr<const RenderedReport> report);
    const RenderedReport* report() const { return report_.get(); }

    int pageCount() const;
    int currentPage() const { return current_; } // 0-based
    void setCurrentPage(int index);              // scrolls the page's top into view

    double zoom() const { return zoom_; } // 1.0 = 100 %
    ZoomMode zoomMode() const { return mode_; }
    void setZoom(double factor); // fixed zoom, from 10 % to 800 %
    void fitWidth();
    void zoomIn();
    void zoomOut();

    // Where page `index` lies in the content, at the current zoom.
    QRect pageRect(int index) const;

signals:
    void currentPageChanged(int index);
    void zoomChanged(double factor);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout(bool keepPage);
    QImage pageImage(int index);
    void updateCurrentPage();
    double fitWidthZoom() const;

    std::shared_ptr<const RenderedReport> report_;
    double zoom_ = 1.0;
    ZoomMode mode_ = ZoomMode::FitWidth;
    int current_ = 0;
    // Pages painted at the current zoom; a few only, the ones around the view.
    QHash<int, QImage> cache_;
    double cacheScale_ = 0;
};

} // namespace reports
