#include "cases/case_keeper.h"

#include "cases/case_document.h"
#include "cases/case_documents.h"
#include "cases/case_worker.h"
#include "document/current_document.h"
#include "document/document_kind.h"
#include "particulars/fill_rules.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace mivo {

CaseKeeper::CaseKeeper(CurrentDocument& document, const CaseDatabase& where, bool keeping,
                       QObject* parent)
    : QObject(parent), document_(document), where_(where), keeping_(keeping),
      worker_(new CaseWorker(where)) {
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("mivo-cases"));
    thread_.start();

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &CaseKeeper::sendSave);
    // A save that waits for another writer says so; the store waits up to its busy limit.
    slowSave_.setSingleShot(true);
    connect(&slowSave_, &QTimer::timeout, this, [this] {
        if (outstanding_ > 0)
            report(QStringLiteral("案件のデータベースを別のプログラムが使っています。"
                                  "空くのを待っています…"));
    });
    connect(&document_.fields(), &FieldStore::valueChanged, this, &CaseKeeper::valueChanged);
    connect(&document_, &CurrentDocument::titleChanged, this, &CaseKeeper::titleChanged);
    if (keeping_)
        checkStore();
}

void CaseKeeper::checkStore() {
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [this, worker] {
        QString error;
        bool permanent = false;
        // What has been in the trash long enough goes for good, once a run.
        if (CaseStore* store = worker->store(&error, &permanent); store && error.isEmpty())
            store->purgeExpired(QDateTime::currentDateTime());
        QMetaObject::invokeMethod(this, [this, error, permanent] {
            if (permanent)
                stopKeeping(error);
            else
                report(error); // a server that may answer later
        });
    });
}

void CaseKeeper::stopKeeping(const QString& message) {
    const bool wasKeeping = keeping_;
    keeping_ = false;
    dirty_ = false;
    report(message);
    if (wasKeeping)
        emit keepingStopped(
            QStringLiteral("%1\nこのまま続けると、入力は案件に保存されません。").arg(message));
}

void CaseKeeper::setKeeping(bool keeping) {
    if (keeping == keeping_)
        return;
    if (keeping) {
        keeping_ = true;
        startNewCase();
        checkStore();
        return;
    }
    if (dirty_) {
        timer_.stop();
        sendSave();
    }
    keeping_ = false;
    startNewCase();
}

CaseKeeper::~CaseKeeper() {
    timer_.stop();
    if (dirty_)
        sendSave();
    // The last changes are saved before the thread ends: quitting from inside the worker
    // comes after every request already posted to it.
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [worker] {
        worker->flush();
        QThread::currentThread()->quit();
    });
    thread_.wait();
}

bool CaseKeeper::hasUnsavedChange() const {
    return keeping_ && (dirty_ || outstanding_ > 0 || unsavedInWorker_ > 0);
}

bool CaseKeeper::waitUntilSaved(int msecs) {
    const QDeadlineTimer deadline(msecs);
    bool retried = false;
    while (hasUnsavedChange() && !deadline.hasExpired()) {
        if (dirty_ && outstanding_ == 0) {
            sendSave();
        } else if (!retried && outstanding_ == 0 && unsavedInWorker_ > 0) {
            retried = true; // once: a server that is gone would be asked in a tight loop
            sendSave();
        }
        // The answers come as events; the user's input waits, so nothing typed re-enters.
        QCoreApplication::processEvents(
            QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents, 20);
    }
    return !hasUnsavedChange();
}

void CaseKeeper::valueChanged(int index, const QString& text) {
    if (applying_ || !keeping_ || !document_.isOpen())
        return;
    current_.values[size_t(index)] = text;
    markDirty();
}

void CaseKeeper::drawingChanged() {
    if (applying_ || !keeping_ || !document_.isOpen())
        return;
    const LayoutDrawingState& drawing = document_.drawing();
    current_.registrationNumber = drawing.registrationNumber;
    current_.fitLocationMap = drawing.fitLocationMap;
    current_.fitLayoutMap = drawing.fitLayoutMap;
    current_.locationMarks = storedMarks(drawing.location);
    current_.sitePlan = storedSitePlan(drawing.sitePlan);
    current_.printSitePlan = drawing.printSitePlan;
    if (drawing.locationMap.cacheKey() != locationImage_.cacheKey() ||
        drawing.layoutMap.cacheKey() != layoutImage_.cacheKey()) {
        locationImage_ = drawing.locationMap;
        layoutImage_ = drawing.layoutMap;
        mapsDirty_ = true;
    }
    markDirty();
}

void CaseKeeper::setParticulars(const Particulars& particulars) {
    if (particulars == current_.particulars)
        return;
    const Particulars before = std::exchange(current_.particulars, particulars);
    // The correction reaches every document of the case: while one is open its fields hold
    // the case's values, and what changes there is kept as typing is.
    if (document_.isOpen())
        followParticulars(before, particulars, document_.fields());
    else
        followParticulars(before, particulars, current_.values);
    if (keeping_)
        markDirty();
}

void CaseKeeper::titleChanged(const QString& title) {
    // Closing the document: what was typed last goes to the store now.
    if (title.isEmpty() && dirty_) {
        timer_.stop();
        sendSave();
    }
}

void CaseKeeper::markDirty() {
    dirty_ = true;
    // Not restarted by every keystroke, so steady typing is saved too.
    if (!timer_.isActive())
        timer_.start(kSaveDelayMs);
}

void CaseKeeper::sendSave() {
    if (!keeping_)
        return;
    // Without a new change this only asks the worker to save what it still holds.
    const bool changed = dirty_;
    CaseWorker::Change change{current_, locationImage_, layoutImage_, mapsDirty_};
    const int key = key_;
    dirty_ = false;
    mapsDirty_ = false;
    if (outstanding_++ == 0)
        slowSave_.start(kSlowSaveMs);
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [this, worker, key, changed, change = std::move(change)] {
        if (changed)
            worker->queue(key, change);
        const CaseWorker::Outcome outcome = worker->flush();
        QMetaObject::invokeMethod(this, [this, outcome] {
            if (--outstanding_ == 0)
                slowSave_.stop();
            for (const CaseWorker::Result& result : outcome.saved)
                saved(result.key, result.c, result.copied, outcome.unsaved, {}, false);
            if (outcome.saved.isEmpty() || !outcome.error.isEmpty())
                saved(0, {}, false, outcome.unsaved, outcome.error, outcome.permanent);
        });
    });
}

void CaseKeeper::saved(int key, const Case& c, bool copied, int unsaved, const QString& error,
                       bool permanent) {
    unsavedInWorker_ = unsaved;
    if (permanent) {
        stopKeeping(error);
        return;
    }
    if (!error.isEmpty()) {
        report(hasUnsavedChange()
                   ? QStringLiteral("%1 入力は保存できるようになりしだい保存します。").arg(error)
                   : error);
        timer_.start(kRetryMs);
        return;
    }
    if (unsaved == 0 && outstanding_ == 0)
        report({});
    if (copied)
        emit savedAsCopy(c.id, c.name);
    if (key != key_ || key == 0)
        return;
    const bool renamed = c.id != current_.id || c.name != current_.name;
    current_.id = c.id;
    current_.revision = c.revision;
    current_.name = c.name;
    current_.created = c.created;
    if (renamed)
        emit currentCaseChanged(c.id, c.name);
}

void CaseKeeper::report(const QString& message) {
    if (message == problem_)
        return;
    problem_ = message;
    emit problem(message);
}

void CaseKeeper::startNewCase() {
    if (dirty_) {
        timer_.stop();
        sendSave();
    }
    key_ = ++lastKey_;
    current_ = Case{};
    locationImage_ = layoutImage_ = QImage();
    mapsUndecoded_ = false;
    emit currentCaseChanged(0, QString());
    emit particularsChanged({});
}

void CaseKeeper::openCase(qint64 id) {
    if (dirty_) {
        timer_.stop();
        sendSave();
    }
    const int key = ++lastKey_;
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [this, worker, key, id] {
        const CaseWorker::Opened opened = worker->open(id);
        if (opened.c.id != 0)
            worker->adopt(key, opened.c);
        QMetaObject::invokeMethod(this, [this, key, opened] {
            if (key != lastKey_)
                return; // another case was chosen or started meanwhile: that choice stands
            if (opened.c.id == 0) {
                report(opened.error);
                return;
            }
            key_ = key;
            current_ = opened.c;
            locationImage_ = layoutImage_ = QImage();
            mapsUndecoded_ = true;
            emit currentCaseChanged(current_.id, current_.name);
            emit particularsChanged(current_.particulars);
        });
    });
}

void CaseKeeper::readStoredCase(QObject* receiver,
                                std::function<void(const Case&, const QString&)> answer) {
    if (dirty_) {
        timer_.stop();
        sendSave();
    }
    // The worker takes tasks in order: the save above is done (or failed) before this reads.
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [worker, key = key_, id = current_.id, receiver,
                                        answer = std::move(answer)] {
        const qint64 stored = worker->storedId(key, id);
        const CaseWorker::Opened opened =
            stored != 0 ? worker->open(stored)
                        : CaseWorker::Opened{{}, QStringLiteral("案件が選ばれていません。")};
        QMetaObject::invokeMethod(receiver, [answer, opened] { answer(opened.c, opened.error); });
    });
}

void CaseKeeper::fillDocument() {
    if (mapsUndecoded_ && document_.title() == titleOf(DocumentKind::LayoutDrawing)) {
        mapsUndecoded_ = false;
        const CaseMaps maps = decodeMaps(current_);
        locationImage_ = maps.location;
        layoutImage_ = maps.layout;
        if (!maps.error.isEmpty())
            report(maps.error); // a map that cannot be shown; the rest is there
    }
    applying_ = true;
    mivo::fillDocument(current_, CaseMaps{locationImage_, layoutImage_, {}}, document_);
    applying_ = false;
}

void CaseKeeper::requestList(const QString& search, int limit) {
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [this, worker, search, limit] {
        QString error;
        CaseStore* store = worker->store(&error);
        const QList<CaseSummary> cases = store ? store->list(search, limit) : QList<CaseSummary>{};
        if (store && !store->error().isEmpty())
            error = store->error();
        QMetaObject::invokeMethod(this, [this, search, cases, error] {
            if (!error.isEmpty())
                report(error);
            emit listed(search, cases);
        });
    });
}

void CaseKeeper::rename(qint64 id, const QString& name) {
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [this, worker, id, name] {
        QString error;
        CaseStore* store = worker->store(&error);
        const bool ok = store && store->rename(id, name);
        if (store && !ok)
            error = store->error();
        QMetaObject::invokeMethod(this, [this, id, name, ok, error] {
            if (!ok) {
                report(error);
                return;
            }
            if (id == current_.id) {
                current_.name = name.trimmed();
                current_.named = true;
                emit currentCaseChanged(id, current_.name);
            }
            emit casesChanged();
        });
    });
}

void CaseKeeper::changeStore(std::function<bool(CaseStore&)> work, std::function<void()> done) {
    CaseWorker* worker = worker_;
    QMetaObject::invokeMethod(worker_, [this, worker, work, done] {
        QString error;
        CaseStore* store = worker->store(&error);
        const bool ok = store && work(*store);
        if (store && !ok)
            error = store->error();
        QMetaObject::invokeMethod(this, [this, ok, error, done] {
            if (!ok)
                report(error);
            else
                done();
        });
    });
}

void CaseKeeper::duplicate(qint64 id) {
    changeStore([id](CaseStore& store) { return store.duplicate(id).has_value(); },
                [this] { emit casesChanged(); });
}

void CaseKeeper::remove(qint64 id) {
    changeStore([id](CaseStore& store) { return store.remove(id); },
                [this, id] {
                    if (id == current_.id)
                        startNewCase();
                    emit removed(id);
                    emit casesChanged();
                });
}

void CaseKeeper::restore(qint64 id) {
    changeStore([id](CaseStore& store) { return store.restore(id); },
                [this] { emit casesChanged(); });
}

void CaseKeeper::purge(qint64 id) {
    changeStore([id](CaseStore& store) { return store.purge(id); },
                [this, id] {
                    emit removed(id);
                    emit casesChanged();
                });
}

void CaseKeeper::requestTrash() {
    auto cases = std::make_shared<QList<CaseSummary>>();
    changeStore(
        [cases](CaseStore& store) {
            *cases = store.listTrash();
            return store.error().isEmpty();
        },
        [this, cases] { emit trashListed(*cases); });
}

QStringList CaseKeeper::documentsWithValues() const {
    // The maps shown are stored as bytes only with the next save.
    const bool drawing = !current_.registrationNumber.isEmpty() || !locationImage_.isNull() ||
                         !layoutImage_.isNull() || !current_.locationMap.isEmpty() ||
                         !current_.layoutMap.isEmpty() || !current_.sitePlan.isEmpty();
    return mivo::documentsWithValues(current_, drawing);
}

// Once the case has been stored: a print of nothing kept yet is not worth a case of its own.
void CaseKeeper::recordPrinted(const QStringList& documents) {
    const qint64 id = current_.id;
    if (!keeping_ || id == 0)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString& document : documents)
        current_.printed.insert(document, now);
    emit printedChanged();
    changeStore(
        [id, documents, now](CaseStore& store) { return store.recordPrinted(id, documents, now); },
        [] {});
}

} // namespace mivo
