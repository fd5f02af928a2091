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
    QString error;
    if (binder.save(&error))
        return true;
    showDatabaseError(context, kChangesNotSaved, error);
    return false;
}

bool commitBeforeClosing(AppContext& context, RecordBinder& binder)
{
    QString error;
    if (binder.save(&error))
        return true;
    return context.services.messages.show(
               QString::fromUtf8(kChangesNotSaved) + kLineBreak + error + kLineBreak + "Suljetaanko ikkuna silti ?",
               Messages::YesNo | Messages::Question | Messages::DefaultButton2, kDatabaseTitle) == Messages::Yes;
}

bool addRecordDatedToday(AppContext& context, RecordSet& records, RecordBinder& binder, const QString& failure)
{
    if (!commitEdits(context, binder))
        return false;
    records.addNew();
    records.setValue("pvm", formatDate(context.services.clock.today()));
    if (records.update())
        return true;
    showDatabaseError(context, failure, records.lastError());
    return false;
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
    if (!records.deleteCurrent())
        showDatabaseError(context, failure, records.lastError());
    return true;
}

bool moveCurrentRecord(AppContext& context, RecordSet& records,
                       const std::function<bool(qint64 rowId, QString* error)>& move)
{
    QString error;
    bool moved;
    {
        BusyCursor busy;
        moved = move(records.rowId(), &error);
        records.refresh();
        records.moveFirst();
    }
    if (!moved)
        showDatabaseError(context, "Siirto ei onnistunut, tietokanta on ennallaan !", error);
    return moved;
}

} // namespace football
