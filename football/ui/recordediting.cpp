#include "football/ui/recordediting.h"

#include "base/textformat.h"
#include "base/ui/busycursor.h"
#include "football/recordset.h"
#include "football/ui/footballdatabaseflows.h"
#include "football/ui/footballtexts.h"
#include "football/ui/recordbinder.h"

namespace football {

bool commitEdits(AppContext& context, RecordBinder& binder)
{
    const Outcome<> saved = binder.save();
    if (saved)
        return true;
    showDatabaseError(context, kChangesNotSaved, saved.failure().message);
    return false;
}

bool commitBeforeClosing(AppContext& context, RecordBinder& binder)
{
    const Outcome<> saved = binder.save();
    if (saved)
        return true;
    return context.services.messages.show(
               QString::fromUtf8(kChangesNotSaved) + kLineBreak + saved.failure().message + kLineBreak +
                   "Suljetaanko ikkuna silti ?",
               Messages::YesNo | Messages::Question | Messages::DefaultButton2, kDatabaseTitle) == Messages::Yes;
}

bool addRecordDatedToday(AppContext& context, RecordSet& records, RecordBinder& binder, const QString& failure)
{
    if (!commitEdits(context, binder))
        return false;
    records.addNew();
    records.setValue("pvm", formatDate(context.services.clock.today()));
    const Outcome<> added = records.update();
    if (!added)
        showDatabaseError(context, failure, added.failure().message);
    return added.ok();
}

bool deleteAfterAsking(AppContext& context, RecordSet& records, const QString& question, const QString& failure)
{
    if (!records.hasCurrent())
        return false;
    Messages& messages = context.services.messages;
    if (records.recordCount() == 1) {
        messages.show("Tietueita on vain yksi,  et voi poistaa tätä!", Messages::Exclamation, kDeleteTitle);
        return false;
    }
    if (messages.show(question, Messages::YesNo | Messages::Question | Messages::DefaultButton2, kDeleteTitle) !=
        Messages::Yes)
        return false;
    if (const Outcome<> deleted = records.deleteCurrent(); !deleted)
        showDatabaseError(context, failure, deleted.failure().message);
    return true;
}

bool moveCurrentRecord(AppContext& context, RecordSet& records,
                       const std::function<Outcome<>(qint64 rowId)>& move)
{
    Outcome<> moved;
    {
        BusyCursor busy;
        moved = move(records.rowId());
        records.refresh();
        records.moveFirst();
    }
    if (!moved)
        showDatabaseError(context, "Siirto ei onnistunut, tietokanta on ennallaan !", moved.failure().message);
    return moved.ok();
}

} // namespace football
