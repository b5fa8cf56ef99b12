#include "decode_progress.h"

#include "demo/tresk_doc.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QProgressDialog>

Q_LOGGING_CATEGORY(lcTiming, "cinerad.timing", QtWarningMsg)

namespace {

// The bar moves in 1/200 steps: often enough to be seen moving, rarely enough that painting
// costs nothing next to decoding.
constexpr uint32_t kSteps = 200;
// Small demos decode before a dialog would be worth showing.
constexpr int kShowAfterMs = 300;

} // namespace

DecodeProgress::DecodeProgress(CTreskDoc& doc, QWidget* parent) : doc_(doc), parent_(parent) {
    timer_.start();
    doc_.decodeProgress = [this](uint32_t decoded, uint32_t total) { OnProgress(decoded, total); };
}

DecodeProgress::~DecodeProgress() {
    Finish();
}

QProgressDialog* DecodeProgress::Dialog() const {
    return dialog_;
}

void DecodeProgress::OnProgress(uint32_t decoded, uint32_t total) {
    if (total == 0) {
        return;
    }
    const uint32_t step = static_cast<uint32_t>(uint64_t{decoded} * kSteps / total);
    if (step == shownStep_) {
        return;
    }
    shownStep_ = step;
    if (!dialog_) {
        dialog_ = new QProgressDialog(QObject::tr("Decoding demo..."), QString(), 0,
                                      static_cast<int>(kSteps), parent_);
        dialog_->setObjectName(QStringLiteral("DecodeProgress"));
        dialog_->setWindowTitle(QStringLiteral("Cinerad II"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(kShowAfterMs);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
    }
    dialog_->setValue(static_cast<int>(step));
    shown_ = shown_ || dialog_->isVisible();
}

void DecodeProgress::Finish() {
    if (finished_) {
        return;
    }
    finished_ = true;
    doc_.decodeProgress = nullptr;
    if (dialog_) {
        dialog_->close();
        delete dialog_;
    }
    qCInfo(lcTiming).noquote() << "decoded"
                               << QFileInfo(QString::fromStdString(doc_.PathName())).fileName()
                               << "-" << doc_.blockCount << "blocks in" << timer_.elapsed()
                               << (shown_ ? "ms, progress shown" : "ms");
}
