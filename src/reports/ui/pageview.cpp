#include "pageview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace reports {

namespace {
constexpr int kGap = 12; // around and between pages, in screen pixels
constexpr double kMinZoom = 0.1, kMaxZoom = 8.0, kStep = 1.25;
} // namespace

ReportPageView::ReportPageView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("crViewer"));
    setFocusPolicy(Qt::StrongFocus);
}

void ReportPageView::setReport(std::shared_ptr<const RenderedReport> report) {
    report_ = std::move(report);
    cache_.clear();
    current_ = 0;
    relayout(false);
    verticalScrollBar()->setValue(0);
    emit currentPageChanged(0);
}

int ReportPageView::pageCount() const {
    return report_ ? report_->pageCount() : 0;
}

QRect ReportPageView::pageRect(int index) const {
    if (!report_)
        return {};
    const QSizeF s = report_->pageSize() * zoom_;
    const int w = int(std::ceil(s.width())), h = int(std::ceil(s.height()));
    const int contentWidth = std::max(viewport()->width(), w + 2 * kGap);
    return QRect((contentWidth - w) / 2, kGap + index * (h + kGap), w, h);
}

double ReportPageView::fitWidthZoom() const {
    if (!report_)
        return 1.0;
    const double avail = std::max(50, viewport()->width() - 2 * kGap);
    return std::clamp(avail / report_->pageSize().width(), kMinZoom, kMaxZoom);
}

void ReportPageView::relayout(bool keepPage) {
    const int page = current_;
    if (mode_ == ZoomMode::FitWidth)
        zoom_ = fitWidthZoom();
    const int n = pageCount();
    const QRect last = pageRect(std::max(0, n - 1));
    const int contentH = n ? last.bottom() + kGap : 0;
    const int contentW = n ? last.width() + 2 * kGap : 0;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(40);
    verticalScrollBar()->setRange(0, std::max(0, contentH - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setRange(0, std::max(0, contentW - viewport()->width()));
    if (keepPage && n)
        verticalScrollBar()->setValue(pageRect(page).top() - kGap);
    viewport()->update();
}

void ReportPageView::setCurrentPage(int index) {
    if (!pageCount())
        return;
    index = std::clamp(index, 0, pageCount() - 1);
    verticalScrollBar()->setValue(pageRect(index).top() - kGap);
    // At the end of the document the scroll bar cannot reach a short last page's top.
    if (current_ != index) {
        current_ = index;
        emit currentPageChanged(index);
    }
}

void ReportPageView::setZoom(double factor) {
    mode_ = ZoomMode::Fixed;
    zoom_ = std::clamp(factor, kMinZoom, kMaxZoom);
    relayout(true);
    emit zoomChanged(zoom_);
}

void ReportPageView::fitWidth() {
    mode_ = ZoomMode::FitWidth;
    relayout(true);
    emit zoomChanged(zoom_);
}

void ReportPageView::zoomIn() {
    setZoom(zoom_ * kStep);
}
void ReportPageView::zoomOut() {
    setZoom(zoom_ / kStep);
}

void ReportPageView::updateCurrentPage() {
    if (!pageCount())
        return;
    const int probe = verticalScrollBar()->value() + viewport()->height() / 3;
    const int pitch = pageRect(1).top() - pageRect(0).top();
    const int page = std::clamp((probe - kGap / 2) / std::max(1, pitch), 0, pageCount() - 1);
    if (page != current_) {
        current_ = page;
        emit currentPageChanged(page);
    }
}

void ReportPageView::scrollContentsBy(int, int) {
    updateCurrentPage();
    viewport()->update();
}

void ReportPageView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const double before = zoom_;
    relayout(true);
    if (zoom_ != before)
        emit zoomChanged(zoom_);
}

QImage ReportPageView::pageImage(int index) {
    const double scale = zoom_ * devicePixelRatioF();
    if (scale != cacheScale_) {
        cache_.clear();
        cacheScale_ = scale;
    }
    if (const auto it = cache_.constFind(index); it != cache_.constEnd())
        return *it;
    // While the report writes a PDF or prints, its thread is taken: show what is at hand.
    if (report_->busy())
        return {};
    if (cache_.size() >= 8) {
        int farthest = cache_.constBegin().key();
        for (auto it = cache_.constBegin(); it != cache_.constEnd(); ++it)
            if (std::abs(it.key() - current_) > std::abs(farthest - current_))
                farthest = it.key();
        cache_.remove(farthest);
    }
    QImage img = report_->pageImage(index, scale);
    img.setDevicePixelRatio(devicePixelRatioF());
    cache_.insert(index, img);
    return img;
}

void ReportPageView::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    p.fillRect(e->rect(), QColor(0x80, 0x80, 0x80));
    if (!report_)
        return;
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRect visible = e->rect().translated(offset);
    for (int i = 0; i < pageCount(); ++i) {
        const QRect r = pageRect(i);
        if (r.top() > visible.bottom())
            break;
        if (!r.intersects(visible))
            continue;
        const QRect onScreen = r.translated(-offset);
        p.fillRect(onScreen.translated(3, 3), QColor(0x50, 0x50, 0x50));
        p.fillRect(onScreen, Qt::white);
        const QImage img = pageImage(i);
        if (!img.isNull())
            p.drawImage(onScreen.topLeft(), img);
    }
}

} // namespace reports
