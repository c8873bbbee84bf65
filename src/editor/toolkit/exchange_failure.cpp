#include "editor/toolkit/exchange_failure.h"

#include "editor/data_exchange.h"
#include "editor/platform/services.h"
#include "editor/tag_dialog.h"

#include <QLineEdit>

namespace toolkit {

void refuse_entry(CDataExchange& dx, std::string_view message) {
    platform::message_box(&dx.dialog(), QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                          platform::application_name(), platform::Buttons::ok, platform::Icon::exclamation);
    dx.fail();
    if (auto* edit = qobject_cast<QLineEdit*>(dx.dialog().control(dx.prepared_control_id()))) edit->selectAll();
}

void refuse_character(CDataExchange& dx, QLineEdit* edit, const UnheldCharacter& unheld, HeldText kind) {
    QString sentence = unheld_character_sentence(unheld, kind) + QLatin1Char('.');
    sentence[0] = sentence[0].toUpper();
    platform::message_box(&dx.dialog(), sentence, platform::application_name(), platform::Buttons::ok,
                          platform::Icon::exclamation);
    dx.fail();
    edit->setFocus(Qt::OtherFocusReason);
    edit->setSelection(static_cast<int>(unheld.index), unheld.character > 0xFFFF ? 2 : 1);
}

bool refuse_unheld_character(CDataExchange& dx, QLineEdit* edit, HeldText kind) {
    const std::optional<UnheldCharacter> unheld = first_unheld_character(edit->text(), kind);
    if (unheld) refuse_character(dx, edit, *unheld, kind);
    return unheld.has_value();
}

}  // namespace toolkit
