#include "core/AddinClasses.h"

#include "compose/DocumentFactory.h"
#include "compose/DocumentViewer.h"
#include "compose/NewAppointment.h"
#include "compose/NewAppointmentEx.h"
#include "compose/NewMail.h"
#include "compose/NewMailReply.h"
#include "compose/NewMeeting.h"
#include "compose/NewTask.h"
#include "compose/SendContacts.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/WaitCursor.h"
#include "mail/ItemToXML.h"
#include "mail/OutboxListener.h"
#include "messenger/Messenger.h"
#include "messenger/MessengerControl.h"
#include "messenger/MessengerRecipients.h"
#include "sync/Export.h"
#include "sync/StartupSynchronizer.h"
#include "sync/SynchronizationCache.h"
#include "sync/Synchronizer.h"
#include "ui/OutlookView.h"
#include "ui/UserOptions.h"

namespace ostrellix::addin {

void AddinClasses::Register(ClassFactory& factory, win::ISystem& system, std::string moduleFolder) {
    Globals::SetPlatform(&system, std::move(moduleFolder));
    factory.Register("KeloOstrellix.Addin", [] { return std::make_shared<Addin>(); });
    factory.Register("KeloOstrellix.Options", [] { return std::make_shared<Options>(); });
    factory.Register("KeloOstrellix.Synchronizer", [] { return std::make_shared<Synchronizer>(); });
    factory.Register("KeloOstrellix.StartupSynchronizer", [] { return std::make_shared<StartupSynchronizer>(); });
    factory.Register("KeloOstrellix.SynchronizationCache", [] { return std::make_shared<SynchronizationCache>(); });
    factory.Register("KeloOstrellix.WaitCursor", [] { return std::make_shared<WaitCursor>(); });
    factory.Register("KeloOstrellix.ItemToXML", [] { return std::make_shared<ItemToXML>(); });
    factory.Register("KeloOstrellix.OutboxListener", [] { return std::make_shared<OutboxListener>(); });
    factory.Register("KeloOstrellix.Export", [] { return std::make_shared<Export>(); });
    factory.Register("KeloOstrellix.NewMail", [] { return std::make_shared<NewMail>(); });
    factory.Register("KeloOstrellix.NewMailReply", [] { return std::make_shared<NewMailReply>(); });
    factory.Register("KeloOstrellix.NewAppointment", [] { return std::make_shared<NewAppointment>(); });
    factory.Register("KeloOstrellix.NewAppointmentEx", [] { return std::make_shared<NewAppointmentEx>(); });
    factory.Register("KeloOstrellix.NewMeeting", [] { return std::make_shared<NewMeeting>(); });
    factory.Register("KeloOstrellix.NewTask", [] { return std::make_shared<NewTask>(); });
    factory.Register("KeloOstrellix.SendContacts", [] { return std::make_shared<SendContacts>(); });
    factory.Register("KeloOstrellix.DocumentFactory", [] { return std::make_shared<DocumentFactory>(); });
    factory.Register("KeloOstrellix.DocumentViewer", [] { return std::make_shared<DocumentViewer>(); });
    factory.Register("KeloOstrellix.Messenger", [] { return std::make_shared<Messenger>(); });
    factory.Register("KeloOstrellix.MessengerControl", [] { return std::make_shared<MessengerControl>(); });
    factory.Register("KeloOstrellix.MessengerRecipients", [] { return std::make_shared<MessengerRecipients>(); });
    factory.Register("KeloOstrellix.OutlookView", [] { return std::make_shared<OutlookView>(); });
    factory.Register("KeloOstrellix.UserOptions", [] { return std::make_shared<UserOptions>(); });
}

}  // namespace ostrellix::addin
