#include "demo/Captions.h"
#include "demo/MenuIds.h"

namespace demo {
namespace {

// Columns: English, French, German, Italian, Spanish. The localized captions
// carry no access key.
const CaptionRow kRows[] = {
    {cmd::EditCopy, {L"Co&py", L"Copier", L"Kopieren", L"Copia", L"Copiar"}},
    {cmd::EditCut, {L"Cu&t", L"Couper", L"Ausschneiden", L"Taglia", L"Cortar"}},
    {cmd::EditPaste, {L"&Paste", L"Coller", L"Einfügen", L"Incolla", L"Pegar"}},
    {cmd::EditRedo, {L"&Redo", L"Rétablir", L"Wiederherstellen", L"Ripristina", L"Rehacer"}},
    {cmd::EditUndo, {L"&Undo", L"Annuler", L"Rückgängig", L"Annulla", L"Deshacer"}},
    {cmd::FileClose, {L"C&lose", L"Fermer", L"Schließen", L"Chiudi", L"Cerrar"}},
    {cmd::FileExit, {L"E&xit", L"Quitter", L"Beenden", L"Esci", L"Salir"}},
    {cmd::FileOpen, {L"&Open", L"Ouvrir", L"Öffnen", L"Apri", L"Abrir"}},
    {cmd::FilePrint, {L"&Print", L"Imprimer", L"Drucken", L"Stampa", L"Imprimir"}},
    {cmd::FilePrintSetup,
     {L"Print Se&tup", L"Configuration de l'impression", L"Druckereinrichtung", L"Imposta stampante",
      L"Configurar impresora"}},
    {cmd::FileSave, {L"&Save", L"Enregistrer", L"Speichern", L"Salva", L"Guardar"}},
    {cmd::FileSaveAs, {L"Save &As", L"Enregistrer sous", L"Speichern unter", L"Salva con nome", L"Guardar como"}},
    {cmd::HelpAbout, {L"&About", L"A propos de", L"Info", L"Informazioni su...", L"Acerca de"}},
    {cmd::TrackCopy, {L"&Copy", L"Copier", L"Kopieren", L"Copia", L"Copiar"}},
    {cmd::TrackCut, {L"Cu&t", L"Couper", L"Ausschneiden", L"Taglia", L"Cortar"}},
    {cmd::TrackPaste, {L"&Paste", L"Coller", L"Einfügen", L"Incolla", L"Pegar"}},
    {cmd::TrackUndo, {L"&Undo", L"Annuler", L"Rückgängig", L"Annulla", L"Deshacer"}},
    {cmd::ColorScheme0 + 0, {L"&Classic", L"Classique", L"Klassisch", L"Classico", L"Clásico"}},
    {cmd::ColorScheme0 + 1, {L"&Dark", L"Sombre", L"Dunkel", L"Scuro", L"Oscuro"}},
    {cmd::ColorScheme0 + 2, {L"&Auto", L"Automatique", L"Automatisch", L"Automatico", L"Automático"}},
};

const CaptionRow kSubmenuRows[] = {
    {cmd::ColorScheme0,
     {L"&Colour Scheme", L"Jeu de couleurs", L"Farbschema", L"Schema colori", L"Esquema de colores"}},
};

}  // namespace

const CaptionRow* CaptionRows(int* count) {
    if (count) *count = static_cast<int>(sizeof kRows / sizeof kRows[0]);
    return kRows;
}

const CaptionRow* SubmenuCaptionRows(int* count) {
    if (count) *count = static_cast<int>(sizeof kSubmenuRows / sizeof kSubmenuRows[0]);
    return kSubmenuRows;
}

LONG ControlLanguageOf(MenuLanguage language) {
    switch (language) {
        case MenuLanguage::French: return 4;
        case MenuLanguage::German: return 6;
        case MenuLanguage::Italian: return 3;
        case MenuLanguage::Spanish: return 5;
        case MenuLanguage::English: break;
    }
    return 0;
}

}  // namespace demo
