#include "document/decoder_damage.h"

#include <QLoggingCategory>
#include <QMutex>

#include <atomic>
#include <cstring>
#include <mutex>

namespace mivo {
namespace {

QMutex listeners;
std::atomic<QtMessageHandler> previousHandler = nullptr;
thread_local int* reportsOnThisThread = nullptr;
QLoggingCategory::CategoryFilter previousFilter = nullptr;

bool fromImageDecoder(const char* category) {
    return category && std::strncmp(category, "qt.gui.imageio", 14) == 0;
}

void listen(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (reportsOnThisThread && type != QtDebugMsg && type != QtInfoMsg &&
        fromImageDecoder(context.category)) {
        ++*reportsOnThisThread;
        return;
    }
    if (const QtMessageHandler next = previousHandler.load())
        next(type, context, message);
}

// Logging rules that silence the decoders' warnings would hide the damage from us.
void keepDecoderWarnings(QLoggingCategory* category) {
    if (previousFilter)
        previousFilter(category);
    if (fromImageDecoder(category->categoryName()))
        category->setEnabled(QtWarningMsg, true);
}

} // namespace

struct DecoderDamage::Listening {
    QMutexLocker<QMutex> lock{&listeners};
};

DecoderDamage::DecoderDamage() : listening_(std::make_unique<Listening>()) {
    static std::once_flag filterInstalled;
    std::call_once(filterInstalled,
                   [] { previousFilter = QLoggingCategory::installFilter(keepDecoderWarnings); });
    reportsOnThisThread = &reports_;
    previousHandler = qInstallMessageHandler(listen);
}

DecoderDamage::~DecoderDamage() {
    qInstallMessageHandler(previousHandler.load());
    reportsOnThisThread = nullptr;
}

} // namespace mivo
