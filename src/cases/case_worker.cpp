#include "cases/case_worker.h"

#include <QBuffer>

#include <algorithm>

namespace mivo {
namespace {

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

CaseStore* CaseWorker::store(QString* error, bool* permanent) {
    if (!store_ || !store_->isOpen())
        store_ = std::make_unique<CaseStore>(where_);
    const bool unusable = !store_->isOpen() || store_->isReadOnly();
    if (permanent) {
        // A damaged file, a newer database or one the user may only read stays so until the
        // program restarts; a lock, a full disk or a server that is gone may clear.
        *permanent = store_->isReadOnly() ||
                     (!store_->isOpen() && store_->trouble() == CaseStore::Trouble::Damaged);
    }
    if (!store_->isOpen()) {
        *error = store_->error();
        return nullptr;
    }
    if (unusable)
        *error = store_->error();
    return store_.get();
}

void CaseWorker::queue(int key, Change change) {
    newestKey_ = std::max(newestKey_, key);
    auto it = pending_.find(key);
    if (it != pending_.end() && it->second.mapsChanged && !change.mapsChanged) {
        change.location = it->second.location;
        change.layout = it->second.layout;
        change.mapsChanged = true;
    }
    pending_[key] = std::move(change);
}

CaseWorker::Outcome CaseWorker::flush() {
    Outcome outcome;
    if (pending_.empty())
        return outcome;
    CaseStore* cases = store(&outcome.error, &outcome.permanent);
    if (outcome.permanent) {
        pending_.clear(); // nothing is kept in this run, as the user is told
        return outcome;
    }
    while (cases && !pending_.empty()) {
        auto [key, change] = *pending_.begin();
        Case& known = known_[key];
        change.c.id = known.id;
        change.c.revision = known.revision;
        if (change.mapsChanged) {
            known.locationMap = pngBytes(change.location);
            known.layoutMap = pngBytes(change.layout);
        }
        change.c.locationMap = known.locationMap;
        change.c.layoutMap = known.layoutMap;
        const CaseStore::Saved saved = cases->save(change.c, change.mapsChanged);
        if (!saved.ok) {
            outcome.error = cases->error();
            break;
        }
        known.id = saved.id;
        known.revision = saved.revision;
        known.name = saved.name;
        outcome.saved.append({key, known, saved.copied});
        pending_.erase(pending_.begin());
    }
    outcome.unsaved = int(pending_.size());
    forgetLeftCases();
    return outcome;
}

void CaseWorker::adopt(int key, const Case& c) {
    known_[key] = c;
    newestKey_ = std::max(newestKey_, key);
    forgetLeftCases();
}

// Only the case in hand and those with changes still to save are kept, each with its maps.
void CaseWorker::forgetLeftCases() {
    known_.removeIf([this](const QHash<int, Case>::iterator it) {
        return it.key() < newestKey_ && !pending_.contains(it.key());
    });
}

CaseWorker::Opened CaseWorker::open(qint64 id) {
    Opened opened;
    CaseStore* cases = store(&opened.error);
    if (!cases)
        return opened;
    const std::optional<Case> c = cases->load(id);
    if (!c) {
        opened.error = cases->error();
        return opened;
    }
    opened.c = *c;
    return opened;
}

} // namespace mivo
