#pragma once

class TBookMarkFolderForm;
class TBookMarkForm;
class TBookMarkItemForm;
class TClientForm;
class TClientStartForm;
class TElementForm;
class TIconForm;
class TIconManageForm;
class TIPEditForm;
class TLinkPictureForm;
class TLinkThumbnailForm;
class TListColumnSelectForm;
class TMainForm;
class TNewForm;
class TNewWizardForm;
class TOptionForm;
class TPrintLayouts;
class TProgressForm;
class TRSSForm;
class TTimerForm;
class TTimerSetForm;
class TCalcForm;
class TServerForm;
class TVersionForm;

// The windows of the running program that others call, filled in as the
// start-up creates them; a window not created (yet) is null.
struct TWindows {
    TMainForm* MainForm = nullptr;
    TIconForm* IconForm = nullptr;
    TVersionForm* VersionForm = nullptr;
    TElementForm* ElementForm = nullptr;
    TNewForm* NewForm = nullptr;
    TNewWizardForm* NewWizardForm = nullptr;
    TListColumnSelectForm* ListColumnSelectForm = nullptr;
    TOptionForm* OptionForm = nullptr;
    TBookMarkForm* BookMarkForm = nullptr;
    TBookMarkItemForm* BookMarkItemForm = nullptr;
    TBookMarkFolderForm* BookMarkFolderForm = nullptr;
    TRSSForm* RSSForm = nullptr;
    TTimerForm* TimerForm = nullptr;
    TTimerSetForm* TimerSetForm = nullptr;
    TCalcForm* CalcForm = nullptr;
    TProgressForm* ProgressForm = nullptr;
    TClientForm* ClientForm = nullptr;
    TServerForm* ServerForm = nullptr;
    TIconManageForm* IconManageForm = nullptr;
    TLinkPictureForm* LinkPictureForm = nullptr;
    TLinkThumbnailForm* LinkThumbnailForm = nullptr;
    TPrintLayouts* PrintLayouts = nullptr;  // the twenty print layouts
    TClientStartForm* ClientStartForm = nullptr;
    TIPEditForm* IPEditForm = nullptr;
};
