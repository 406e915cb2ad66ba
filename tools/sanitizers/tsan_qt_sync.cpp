// Linked into the ThreadSanitizer build of the tests (with -Wl,--wrap, see
// scripts/sanitizers.sh). Debian's Qt is not built with ThreadSanitizer, so
// the ordering Qt gives between threads happens inside the library, unseen:
//  - QWaitCondition::wait() releases and retakes its mutex inside Qt, while
//    Qt's headers report every other lock and unlock of that QMutex. TSan
//    then believes the waiter still holds the mutex, reports the waker's lock
//    as a double lock and the data the mutex guards as races.
//  - A queued signal or call reaches the receiving thread through Qt's event
//    queue, under a lock inside Qt. TSan then reports the arguments (and all
//    the sender wrote before) as racing with the slot.
// These functions tell TSan what Qt does there, instead of suppressing the
// reports.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QMetaObject>
#include <QMutex>
#include <QObject>
#include <QThread>
#include <QWaitCondition>

#include <dlfcn.h>

#include <sanitizer/tsan_interface.h>

namespace {

void Released(QMutex *mutex)
{
    __tsan_mutex_pre_unlock(mutex, 0);
    __tsan_mutex_post_unlock(mutex, 0);
}

void Retaken(QMutex *mutex)
{
    __tsan_mutex_pre_lock(mutex, 0);
    __tsan_mutex_post_lock(mutex, 0, 0);
}

// What was posted to an event queue happens before the delivery of the
// events that follow in it.
char EventQueue;

} // namespace

extern "C" {

// In the runtime, not in its header.
void __tsan_ignore_thread_begin();
void __tsan_ignore_thread_end();

// QWaitCondition::wait(QMutex *, QDeadlineTimer)
bool __real__ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer(QWaitCondition *, QMutex *, QDeadlineTimer);
bool __wrap__ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer(QWaitCondition *condition, QMutex *mutex,
                                                             QDeadlineTimer deadline)
{
    Released(mutex);
    const bool woken = __real__ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer(condition, mutex, deadline);
    Retaken(mutex);
    return woken;
}

// QWaitCondition::wait(QMutex *, unsigned long)
bool __real__ZN14QWaitCondition4waitEP6QMutexm(QWaitCondition *, QMutex *, unsigned long);
bool __wrap__ZN14QWaitCondition4waitEP6QMutexm(QWaitCondition *condition, QMutex *mutex, unsigned long ms)
{
    Released(mutex);
    const bool woken = __real__ZN14QWaitCondition4waitEP6QMutexm(condition, mutex, ms);
    Retaken(mutex);
    return woken;
}

// QMetaObject::activate(QObject *, const QMetaObject *, int, void **): every
// signal a moc-generated class emits.
void __real__ZN11QMetaObject8activateEP7QObjectPKS_iPPv(QObject *, const QMetaObject *, int, void **);
void __wrap__ZN11QMetaObject8activateEP7QObjectPKS_iPPv(QObject *sender, const QMetaObject *meta, int index,
                                                      void **arguments)
{
    __tsan_release(&EventQueue);
    // A signal emitted by a worker thread (its notifications to the user
    // interface) is queued: Qt copies its arguments into the event inside
    // the library, after the release above. Those copies are Qt's business
    // (their allocation is covered in tsan.supp).
    const QCoreApplication *application = QCoreApplication::instance();
    const bool foreign = application && QThread::currentThread() != application->thread();
    if (foreign)
        __tsan_ignore_thread_begin();
    __real__ZN11QMetaObject8activateEP7QObjectPKS_iPPv(sender, meta, index, arguments);
    if (foreign)
        __tsan_ignore_thread_end();
}

// QMetaObject::invokeMethodImpl(QObject *, QtPrivate::QSlotObjectBase *,
// Qt::ConnectionType, void *): QMetaObject::invokeMethod with a functor.
bool __real__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
    QObject *, QtPrivate::QSlotObjectBase *, Qt::ConnectionType, void *);
bool __wrap__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
    QObject *object, QtPrivate::QSlotObjectBase *slot, Qt::ConnectionType type, void *result)
{
    __tsan_release(&EventQueue);
    return __real__ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv(
        object, slot, type, result);
}

// Qt wakes the receiving thread's event loop after every post, once the
// event is queued: glib's wake-up, called from libQt6Core, is taken here
// (the program's own definition comes first) to note the post.
void g_main_context_wakeup(void *context)
{
    using TWakeUp = void (*)(void *);
    static const auto real = reinterpret_cast<TWakeUp>(dlsym(RTLD_NEXT, "g_main_context_wakeup"));
    __tsan_release(&EventQueue);
    real(context);
}

// QObject::event(QEvent *): where a queued call reaches an object whose class
// is compiled here (its virtual table refers to this symbol).
bool __real__ZN7QObject5eventEP6QEvent(QObject *, QEvent *);
bool __wrap__ZN7QObject5eventEP6QEvent(QObject *object, QEvent *event)
{
    __tsan_acquire(&EventQueue);
    const bool handled = __real__ZN7QObject5eventEP6QEvent(object, event);
    // Qt frees the event after this returns; by now its sender has surely
    // noted the post, even when the event was taken the moment it was queued.
    __tsan_acquire(&EventQueue);
    return handled;
}

}
