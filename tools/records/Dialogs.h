#pragma once

#include <cstdint>

// The common-dialog flags under the names the system uses. Many of those names are also macros of
// the Windows dialog headers, with the same values: they are hidden while the enumerations are
// declared, so this header compiles before or after those headers. Where both are included, the
// macros win at the point of use, and they carry the same values.
#pragma push_macro("CCERR_CHOOSECOLORCODES")
#pragma push_macro("CC_ENABLEHOOK")
#pragma push_macro("CC_ENABLETEMPLATE")
#pragma push_macro("CDERR_DIALOGFAILURE")
#pragma push_macro("CDERR_FINDRESFAILURE")
#pragma push_macro("CDERR_GENERALCODES")
#pragma push_macro("CDERR_INITIALIZATION")
#pragma push_macro("CDERR_LOADRESFAILURE")
#pragma push_macro("CDERR_LOADSTRFAILURE")
#pragma push_macro("CDERR_LOCKRESFAILURE")
#pragma push_macro("CDERR_MEMALLOCFAILURE")
#pragma push_macro("CDERR_MEMLOCKFAILURE")
#pragma push_macro("CDERR_NOHINSTANCE")
#pragma push_macro("CDERR_NOHOOK")
#pragma push_macro("CDERR_NOTEMPLATE")
#pragma push_macro("CDERR_REGISTERMSGFAIL")
#pragma push_macro("CDERR_STRUCTSIZE")
#pragma push_macro("CFERR_CHOOSEFONTCODES")
#pragma push_macro("CFERR_MAXLESSTHANMIN")
#pragma push_macro("CFERR_NOFONTS")
#pragma push_macro("CF_BOTH")
#pragma push_macro("CF_EFFECTS")
#pragma push_macro("CF_WYSIWYG")
#pragma push_macro("FNERR_BUFFERTOOSMALL")
#pragma push_macro("FNERR_FILENAMECODES")
#pragma push_macro("FNERR_INVALIDFILENAME")
#pragma push_macro("FNERR_SUBCLASSFAILURE")
#pragma push_macro("OFN_ALLOWMULTISELECT")
#pragma push_macro("OFN_CREATEPROMPT")
#pragma push_macro("OFN_ENABLEHOOK")
#pragma push_macro("OFN_ENABLETEMPLATE")
#pragma push_macro("OFN_ENABLETEMPLATEHANDLE")
#pragma push_macro("OFN_EXPLORER")
#pragma push_macro("OFN_EXTENSIONDIFFERENT")
#pragma push_macro("OFN_FILEMUSTEXIST")
#pragma push_macro("OFN_HIDEREADONLY")
#pragma push_macro("OFN_LONGNAMES")
#pragma push_macro("OFN_NOCHANGEDIR")
#pragma push_macro("OFN_NODEREFERENCELINKS")
#pragma push_macro("OFN_NOLONGNAMES")
#pragma push_macro("OFN_NONETWORKBUTTON")
#pragma push_macro("OFN_NOREADONLYRETURN")
#pragma push_macro("OFN_NOTESTFILECREATE")
#pragma push_macro("OFN_NOVALIDATE")
#pragma push_macro("OFN_OVERWRITEPROMPT")
#pragma push_macro("OFN_PATHMUSTEXIST")
#pragma push_macro("OFN_READONLY")
#pragma push_macro("OFN_SHAREAWARE")
#pragma push_macro("OFN_SHOWHELP")
#pragma push_macro("PDERR_CREATEICFAILURE")
#pragma push_macro("PDERR_DEFAULTDIFFERENT")
#pragma push_macro("PDERR_DNDMMISMATCH")
#pragma push_macro("PDERR_GETDEVMODEFAIL")
#pragma push_macro("PDERR_INITFAILURE")
#pragma push_macro("PDERR_LOADDRVFAILURE")
#pragma push_macro("PDERR_NODEFAULTPRN")
#pragma push_macro("PDERR_NODEVICES")
#pragma push_macro("PDERR_PARSEFAILURE")
#pragma push_macro("PDERR_PRINTERCODES")
#pragma push_macro("PDERR_PRINTERNOTFOUND")
#pragma push_macro("PDERR_RETDEFFAILURE")
#pragma push_macro("PDERR_SETUPFAILURE")
#pragma push_macro("PD_ALLPAGES")
#pragma push_macro("PD_COLLATE")
#pragma push_macro("PD_DISABLEPRINTTOFILE")
#pragma push_macro("PD_ENABLEPRINTHOOK")
#pragma push_macro("PD_ENABLEPRINTTEMPLATE")
#pragma push_macro("PD_ENABLEPRINTTEMPLATEHANDLE")
#pragma push_macro("PD_ENABLESETUPHOOK")
#pragma push_macro("PD_ENABLESETUPTEMPLATE")
#pragma push_macro("PD_ENABLESETUPTEMPLATEHANDLE")
#pragma push_macro("PD_HIDEPRINTTOFILE")
#pragma push_macro("PD_NONETWORKBUTTON")
#pragma push_macro("PD_NOPAGENUMS")
#pragma push_macro("PD_NOSELECTION")
#pragma push_macro("PD_NOWARNING")
#pragma push_macro("PD_PAGENUMS")
#pragma push_macro("PD_PRINTSETUP")
#pragma push_macro("PD_PRINTTOFILE")
#pragma push_macro("PD_RETURNDC")
#pragma push_macro("PD_RETURNDEFAULT")
#pragma push_macro("PD_RETURNIC")
#pragma push_macro("PD_SELECTION")
#pragma push_macro("PD_SHOWHELP")
#pragma push_macro("PD_USEDEVMODECOPIES")
#pragma push_macro("PD_USEDEVMODECOPIESANDCOLLATE")
#pragma push_macro("PSD_DISABLEMARGINS")
#pragma push_macro("PSD_DISABLEORIENTATION")
#pragma push_macro("PSD_DISABLEPAPER")
#pragma push_macro("PSD_DISABLEPRINTER")
#pragma push_macro("PSD_INHUNDREDTHSOFMILLIMETERS")
#pragma push_macro("PSD_INTHOUSANDTHSOFINCHES")
#pragma push_macro("PSD_MARGINS")
#pragma push_macro("PSD_MINMARGINS")
#undef CCERR_CHOOSECOLORCODES
#undef CC_ENABLEHOOK
#undef CC_ENABLETEMPLATE
#undef CDERR_DIALOGFAILURE
#undef CDERR_FINDRESFAILURE
#undef CDERR_GENERALCODES
#undef CDERR_INITIALIZATION
#undef CDERR_LOADRESFAILURE
#undef CDERR_LOADSTRFAILURE
#undef CDERR_LOCKRESFAILURE
#undef CDERR_MEMALLOCFAILURE
#undef CDERR_MEMLOCKFAILURE
#undef CDERR_NOHINSTANCE
#undef CDERR_NOHOOK
#undef CDERR_NOTEMPLATE
#undef CDERR_REGISTERMSGFAIL
#undef CDERR_STRUCTSIZE
#undef CFERR_CHOOSEFONTCODES
#undef CFERR_MAXLESSTHANMIN
#undef CFERR_NOFONTS
#undef CF_BOTH
#undef CF_EFFECTS
#undef CF_WYSIWYG
#undef FNERR_BUFFERTOOSMALL
#undef FNERR_FILENAMECODES
#undef FNERR_INVALIDFILENAME
#undef FNERR_SUBCLASSFAILURE
#undef OFN_ALLOWMULTISELECT
#undef OFN_CREATEPROMPT
#undef OFN_ENABLEHOOK
#undef OFN_ENABLETEMPLATE
#undef OFN_ENABLETEMPLATEHANDLE
#undef OFN_EXPLORER
#undef OFN_EXTENSIONDIFFERENT
#undef OFN_FILEMUSTEXIST
#undef OFN_HIDEREADONLY
#undef OFN_LONGNAMES
#undef OFN_NOCHANGEDIR
#undef OFN_NODEREFERENCELINKS
#undef OFN_NOLONGNAMES
#undef OFN_NONETWORKBUTTON
#undef OFN_NOREADONLYRETURN
#undef OFN_NOTESTFILECREATE
#undef OFN_NOVALIDATE
#undef OFN_OVERWRITEPROMPT
#undef OFN_PATHMUSTEXIST
#undef OFN_READONLY
#undef OFN_SHAREAWARE
#undef OFN_SHOWHELP
#undef PDERR_CREATEICFAILURE
#undef PDERR_DEFAULTDIFFERENT
#undef PDERR_DNDMMISMATCH
#undef PDERR_GETDEVMODEFAIL
#undef PDERR_INITFAILURE
#undef PDERR_LOADDRVFAILURE
#undef PDERR_NODEFAULTPRN
#undef PDERR_NODEVICES
#undef PDERR_PARSEFAILURE
#undef PDERR_PRINTERCODES
#undef PDERR_PRINTERNOTFOUND
#undef PDERR_RETDEFFAILURE
#undef PDERR_SETUPFAILURE
#undef PD_ALLPAGES
#undef PD_COLLATE
#undef PD_DISABLEPRINTTOFILE
#undef PD_ENABLEPRINTHOOK
#undef PD_ENABLEPRINTTEMPLATE
#undef PD_ENABLEPRINTTEMPLATEHANDLE
#undef PD_ENABLESETUPHOOK
#undef PD_ENABLESETUPTEMPLATE
#undef PD_ENABLESETUPTEMPLATEHANDLE
#undef PD_HIDEPRINTTOFILE
#undef PD_NONETWORKBUTTON
#undef PD_NOPAGENUMS
#undef PD_NOSELECTION
#undef PD_NOWARNING
#undef PD_PAGENUMS
#undef PD_PRINTSETUP
#undef PD_PRINTTOFILE
#undef PD_RETURNDC
#undef PD_RETURNDEFAULT
#undef PD_RETURNIC
#undef PD_SELECTION
#undef PD_SHOWHELP
#undef PD_USEDEVMODECOPIES
#undef PD_USEDEVMODECOPIESANDCOLLATE
#undef PSD_DISABLEMARGINS
#undef PSD_DISABLEORIENTATION
#undef PSD_DISABLEPAPER
#undef PSD_DISABLEPRINTER
#undef PSD_INHUNDREDTHSOFMILLIMETERS
#undef PSD_INTHOUSANDTHSOFINCHES
#undef PSD_MARGINS
#undef PSD_MINMARGINS

namespace tessaly {

// The title of every message box of the program, whichever of its libraries shows it.
inline constexpr wchar_t kProgramTitle[] = L"Tavolin";

enum EErrorCommonDialog : int32_t {
    eeBaseCommonDialog = 13450,  // base of the error numbers raised by the common-dialog class
};

enum EOpenFile : int32_t {
    OFN_READONLY = 1,
    OFN_OVERWRITEPROMPT = 2,
    OFN_HIDEREADONLY = 4,
    OFN_NOCHANGEDIR = 8,
    OFN_SHOWHELP = 16,
    OFN_ENABLEHOOK = 32,
    OFN_ENABLETEMPLATE = 64,
    OFN_ENABLETEMPLATEHANDLE = 128,
    OFN_NOVALIDATE = 256,
    OFN_ALLOWMULTISELECT = 512,
    OFN_EXTENSIONDIFFERENT = 1024,
    OFN_PATHMUSTEXIST = 2048,
    OFN_FILEMUSTEXIST = 4096,
    OFN_CREATEPROMPT = 8192,
    OFN_SHAREAWARE = 16384,
    OFN_NOREADONLYRETURN = 32768,
    OFN_NOTESTFILECREATE = 65536,
    OFN_NONETWORKBUTTON = 131072,
    OFN_NOLONGNAMES = 262144,
    OFN_EXPLORER = 524288,
    OFN_NODEREFERENCELINKS = 1048576,
    OFN_LONGNAMES = 2097152,
};

enum EChooseColor : int32_t {
    CC_RGBInit = 1,
    CC_FullOpen = 2,
    CC_PreventFullOpen = 4,
    CC_ColorShowHelp = 8,
    CC_ENABLEHOOK = 16,
    CC_ENABLETEMPLATE = 32,
    CC_EnableTemplateHandle = 64,
    CC_SolidColor = 128,
    CC_AnyColor = 256,
};

enum EChooseFont : int32_t {
    CF_ScreenFonts = 1,
    CF_PrinterFonts = 2,
    CF_BOTH = 3,
    CF_FontShowHelp = 4,
    CF_EnableHook = 8,
    CF_EnableTemplate = 16,
    CF_EnableTemplateHandle = 32,
    CF_InitToLogFontStruct = 64,
    CF_UseStyle = 128,
    CF_EFFECTS = 256,
    CF_Apply = 512,
    CF_AnsiOnly = 1024,
    CF_NoVectorFonts = 2048,
    CF_NoOemFonts = 2048,
    CF_NoSimulations = 4096,
    CF_LimitSize = 8192,
    CF_FixedPitchOnly = 16384,
    CF_WYSIWYG = 32768,
    CF_ForceFontExist = 65536,
    CF_ScalableOnly = 131072,
    CF_TTOnly = 262144,
    CF_NoFaceSel = 524288,
    CF_NoStyleSel = 1048576,
    CF_NoSizeSel = 2097152,
    CF_SelectScript = 4194304,
    CF_NoScriptSel = 8388608,
    CF_NoVertFonts = 16777216,
    CF_FontNotSupported = 568,
};

enum EFontType : int32_t {
    Bold_FontType = 256,
    Italic_FontType = 512,
    Regular_FontType = 1024,
    Screen_FontType = 8192,
    Printer_FontType = 16384,
    Simulated_FontType = 32768,
};

enum EPrintDialog : int32_t {
    PD_ALLPAGES = 0,
    PD_SELECTION = 1,
    PD_PAGENUMS = 2,
    PD_NOSELECTION = 4,
    PD_NOPAGENUMS = 8,
    PD_COLLATE = 16,
    PD_PRINTTOFILE = 32,
    PD_PRINTSETUP = 64,
    PD_NOWARNING = 128,
    PD_RETURNDC = 256,
    PD_RETURNIC = 512,
    PD_RETURNDEFAULT = 1024,
    PD_SHOWHELP = 2048,
    PD_ENABLEPRINTHOOK = 4096,
    PD_ENABLESETUPHOOK = 8192,
    PD_ENABLEPRINTTEMPLATE = 16384,
    PD_ENABLESETUPTEMPLATE = 32768,
    PD_ENABLEPRINTTEMPLATEHANDLE = 65536,
    PD_ENABLESETUPTEMPLATEHANDLE = 131072,
    PD_USEDEVMODECOPIES = 262144,
    PD_USEDEVMODECOPIESANDCOLLATE = 262144,
    PD_DISABLEPRINTTOFILE = 524288,
    PD_HIDEPRINTTOFILE = 1048576,
    PD_NONETWORKBUTTON = 2097152,
};

enum EPageSetup : int32_t {
    PSD_Defaultminmargins = 0,
    PSD_InWinIniIntlMeasure = 0,
    PSD_MINMARGINS = 1,
    PSD_MARGINS = 2,
    PSD_INTHOUSANDTHSOFINCHES = 4,
    PSD_INHUNDREDTHSOFMILLIMETERS = 8,
    PSD_DISABLEMARGINS = 16,
    PSD_DISABLEPRINTER = 32,
    PSD_NoWarning = 128,
    PSD_DISABLEORIENTATION = 256,
    PSD_DISABLEPAPER = 512,
    PSD_ReturnDefault = 1024,
    PSD_ShowHelp = 2048,
    PSD_EnablePageSetupHook = 8192,
    PSD_EnablePageSetupTemplate = 32768,
    PSD_EnablePageSetupTemplateHandle = 131072,
    PSD_EnablePagePaintHook = 262144,
    PSD_DisablePagePainting = 524288,
};

enum EPageSetupUnits : int32_t {
    epsuInches = 0,
    epsuMillimeters = 1,
};

enum EPrintRange : int32_t {
    eprAll = 0,
    eprPageNumbers = 1,
    eprSelection = 2,
};

enum EOrientation : int32_t {
    eoPortrait = 1,
    eoLandscape = 2,
};

enum EPrintQuality : int32_t {
    epqDraft = -1,
    epqLow = -2,
    epqMedium = -3,
    epqHigh = -4,
};

enum EPaperSize : int32_t {
    epsLetter = 1,
    epsLetterSmall,
    epsTabloid,
    epsLedger,
    epsLegal,
    epsStatement,
    epsExecutive,
    epsA3,
    epsA4,
    epsA4Small,
    epsA5,
    epsB4,
    epsB5,
    epsFolio,
    epsQuarto,
    eps10x14,
    eps11x17,
    epsNote,
    epsEnv9,
    epsEnv10,
    epsEnv11,
    epsEnv12,
    epsEnv14,
    epsCSheet,
    epsDSheet,
    epsESheet,
    epsEnvDL,
    epsEnvC3,
    epsEnvC4,
    epsEnvC5,
    epsEnvC6,
    epsEnvC65,
    epsEnvB4,
    epsEnvB5,
    epsEnvB6,
    epsEnvItaly,
    epsenvmonarch,
    epsEnvPersonal,
    epsFanfoldUS,
    epsFanfoldStdGerman,
    epsFanfoldLglGerman,
    epsUser = 256,
};

enum EDialogError : int32_t {
    CDERR_DIALOGFAILURE = 65535,
    CDERR_GENERALCODES = 0,
    CDERR_STRUCTSIZE = 1,
    CDERR_INITIALIZATION = 2,
    CDERR_NOTEMPLATE = 3,
    CDERR_NOHINSTANCE = 4,
    CDERR_LOADSTRFAILURE = 5,
    CDERR_FINDRESFAILURE = 6,
    CDERR_LOADRESFAILURE = 7,
    CDERR_LOCKRESFAILURE = 8,
    CDERR_MEMALLOCFAILURE = 9,
    CDERR_MEMLOCKFAILURE = 10,
    CDERR_NOHOOK = 11,
    CDERR_REGISTERMSGFAIL = 12,
    PDERR_PRINTERCODES = 4096,
    PDERR_SETUPFAILURE = 4097,
    PDERR_PARSEFAILURE = 4098,
    PDERR_RETDEFFAILURE = 4099,
    PDERR_LOADDRVFAILURE = 4100,
    PDERR_GETDEVMODEFAIL = 4101,
    PDERR_INITFAILURE = 4102,
    PDERR_NODEVICES = 4103,
    PDERR_NODEFAULTPRN = 4104,
    PDERR_DNDMMISMATCH = 4105,
    PDERR_CREATEICFAILURE = 4106,
    PDERR_PRINTERNOTFOUND = 4107,
    PDERR_DEFAULTDIFFERENT = 4108,
    CFERR_CHOOSEFONTCODES = 8192,
    CFERR_NOFONTS = 8193,
    CFERR_MAXLESSTHANMIN = 8194,
    FNERR_FILENAMECODES = 12288,
    FNERR_SUBCLASSFAILURE = 12289,
    FNERR_INVALIDFILENAME = 12290,
    FNERR_BUFFERTOOSMALL = 12291,
    CCERR_CHOOSECOLORCODES = 20480,
};

static_assert(epsA3 == 8 && epsA4 == 9 && epsFanfoldLglGerman == 41);
static_assert(OFN_NOREADONLYRETURN == 32768 && CF_WYSIWYG == 32768 && PD_ENABLESETUPTEMPLATE == 32768);
static_assert(PSD_EnablePageSetupTemplate == 32768 && Simulated_FontType == 32768);
static_assert(CDERR_DIALOGFAILURE == 65535);

}  // namespace tessaly

#pragma pop_macro("PSD_MINMARGINS")
#pragma pop_macro("PSD_MARGINS")
#pragma pop_macro("PSD_INTHOUSANDTHSOFINCHES")
#pragma pop_macro("PSD_INHUNDREDTHSOFMILLIMETERS")
#pragma pop_macro("PSD_DISABLEPRINTER")
#pragma pop_macro("PSD_DISABLEPAPER")
#pragma pop_macro("PSD_DISABLEORIENTATION")
#pragma pop_macro("PSD_DISABLEMARGINS")
#pragma pop_macro("PD_USEDEVMODECOPIESANDCOLLATE")
#pragma pop_macro("PD_USEDEVMODECOPIES")
#pragma pop_macro("PD_SHOWHELP")
#pragma pop_macro("PD_SELECTION")
#pragma pop_macro("PD_RETURNIC")
#pragma pop_macro("PD_RETURNDEFAULT")
#pragma pop_macro("PD_RETURNDC")
#pragma pop_macro("PD_PRINTTOFILE")
#pragma pop_macro("PD_PRINTSETUP")
#pragma pop_macro("PD_PAGENUMS")
#pragma pop_macro("PD_NOWARNING")
#pragma pop_macro("PD_NOSELECTION")
#pragma pop_macro("PD_NOPAGENUMS")
#pragma pop_macro("PD_NONETWORKBUTTON")
#pragma pop_macro("PD_HIDEPRINTTOFILE")
#pragma pop_macro("PD_ENABLESETUPTEMPLATEHANDLE")
#pragma pop_macro("PD_ENABLESETUPTEMPLATE")
#pragma pop_macro("PD_ENABLESETUPHOOK")
#pragma pop_macro("PD_ENABLEPRINTTEMPLATEHANDLE")
#pragma pop_macro("PD_ENABLEPRINTTEMPLATE")
#pragma pop_macro("PD_ENABLEPRINTHOOK")
#pragma pop_macro("PD_DISABLEPRINTTOFILE")
#pragma pop_macro("PD_COLLATE")
#pragma pop_macro("PD_ALLPAGES")
#pragma pop_macro("PDERR_SETUPFAILURE")
#pragma pop_macro("PDERR_RETDEFFAILURE")
#pragma pop_macro("PDERR_PRINTERNOTFOUND")
#pragma pop_macro("PDERR_PRINTERCODES")
#pragma pop_macro("PDERR_PARSEFAILURE")
#pragma pop_macro("PDERR_NODEVICES")
#pragma pop_macro("PDERR_NODEFAULTPRN")
#pragma pop_macro("PDERR_LOADDRVFAILURE")
#pragma pop_macro("PDERR_INITFAILURE")
#pragma pop_macro("PDERR_GETDEVMODEFAIL")
#pragma pop_macro("PDERR_DNDMMISMATCH")
#pragma pop_macro("PDERR_DEFAULTDIFFERENT")
#pragma pop_macro("PDERR_CREATEICFAILURE")
#pragma pop_macro("OFN_SHOWHELP")
#pragma pop_macro("OFN_SHAREAWARE")
#pragma pop_macro("OFN_READONLY")
#pragma pop_macro("OFN_PATHMUSTEXIST")
#pragma pop_macro("OFN_OVERWRITEPROMPT")
#pragma pop_macro("OFN_NOVALIDATE")
#pragma pop_macro("OFN_NOTESTFILECREATE")
#pragma pop_macro("OFN_NOREADONLYRETURN")
#pragma pop_macro("OFN_NONETWORKBUTTON")
#pragma pop_macro("OFN_NOLONGNAMES")
#pragma pop_macro("OFN_NODEREFERENCELINKS")
#pragma pop_macro("OFN_NOCHANGEDIR")
#pragma pop_macro("OFN_LONGNAMES")
#pragma pop_macro("OFN_HIDEREADONLY")
#pragma pop_macro("OFN_FILEMUSTEXIST")
#pragma pop_macro("OFN_EXTENSIONDIFFERENT")
#pragma pop_macro("OFN_EXPLORER")
#pragma pop_macro("OFN_ENABLETEMPLATEHANDLE")
#pragma pop_macro("OFN_ENABLETEMPLATE")
#pragma pop_macro("OFN_ENABLEHOOK")
#pragma pop_macro("OFN_CREATEPROMPT")
#pragma pop_macro("OFN_ALLOWMULTISELECT")
#pragma pop_macro("FNERR_SUBCLASSFAILURE")
#pragma pop_macro("FNERR_INVALIDFILENAME")
#pragma pop_macro("FNERR_FILENAMECODES")
#pragma pop_macro("FNERR_BUFFERTOOSMALL")
#pragma pop_macro("CF_WYSIWYG")
#pragma pop_macro("CF_EFFECTS")
#pragma pop_macro("CF_BOTH")
#pragma pop_macro("CFERR_NOFONTS")
#pragma pop_macro("CFERR_MAXLESSTHANMIN")
#pragma pop_macro("CFERR_CHOOSEFONTCODES")
#pragma pop_macro("CDERR_STRUCTSIZE")
#pragma pop_macro("CDERR_REGISTERMSGFAIL")
#pragma pop_macro("CDERR_NOTEMPLATE")
#pragma pop_macro("CDERR_NOHOOK")
#pragma pop_macro("CDERR_NOHINSTANCE")
#pragma pop_macro("CDERR_MEMLOCKFAILURE")
#pragma pop_macro("CDERR_MEMALLOCFAILURE")
#pragma pop_macro("CDERR_LOCKRESFAILURE")
#pragma pop_macro("CDERR_LOADSTRFAILURE")
#pragma pop_macro("CDERR_LOADRESFAILURE")
#pragma pop_macro("CDERR_INITIALIZATION")
#pragma pop_macro("CDERR_GENERALCODES")
#pragma pop_macro("CDERR_FINDRESFAILURE")
#pragma pop_macro("CDERR_DIALOGFAILURE")
#pragma pop_macro("CC_ENABLETEMPLATE")
#pragma pop_macro("CC_ENABLEHOOK")
#pragma pop_macro("CCERR_CHOOSECOLORCODES")
