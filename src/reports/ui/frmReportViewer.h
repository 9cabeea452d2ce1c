#pragma once
// The report viewer window: the rendered pages with page navigation, zoom, Print, Save as
// PDF and Save rows as CSV. Escape closes it. It shows a rendered copy, so it stays valid
// when another report becomes the current one.
#include "reports/document.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QPrinter;
class QSpinBox;
class QToolBar;

namespace reports {

class ReportPageView;

class frmReportViewer : public QWidget {
    Q_OBJECT
public:
    explicit frmReportViewer(std::shared_ptr<const RenderedReport> report,
                             const QString& caption = {}, QWidget* parent = nullptr);
    ~frmReportViewer() override;

    ReportPageView* view() const { return crViewer; }
    const RenderedReport* report() const { return report_.get(); }

    bool savePdf(const QString& path);
    bool saveCsv(const QString& path);
    bool print(QPrinter* printer);

    // Where Save as PDF / Save rows as CSV ask for a file name; tests answer instead of a
    // file dialog. An empty answer cancels.
    using FileNameProvider = std::function<QString(const QString& caption, const QString& filter)>;
    static void setFileNameProvider(FileNameProvider provider);

public slots:
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();

private:
    QString askFileName(const QString& caption, const QString& filter, const QString& suffix);
    void onSavePdf();
    void onSaveCsv();
    void onPrint();
    void updateState();
    bool runPaged(const QString& text,
                  const std::function<bool(const RenderedReport::PageProgress&)>& work);

    std::shared_ptr<const RenderedReport> report_;
    ReportPageView* crViewer = nullptr;
    QToolBar* tbViewer = nullptr;
    QSpinBox* spnPage = nullptr;
    QLabel* lblPages = nullptr;
    QLabel* lblZoom = nullptr;
    QAction* actFirst = nullptr;
    QAction* actPrevious = nullptr;
    QAction* actNext = nullptr;
    QAction* actLast = nullptr;
    QAction* actSaveCsv = nullptr;
};

} // namespace reports
