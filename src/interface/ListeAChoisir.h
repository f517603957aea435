#pragma once

class QDialog;
class QListWidget;
class QWidget;

namespace veltrane {

// Dispose un dialogue de choix dans une liste : l'en-tête éventuel, la liste, OK et Annuler ;
// un double clic sur une ligne vaut OK.
void disposerListeAChoisir(QDialog* dialogue, QListWidget* liste, QWidget* entete = nullptr);

} // namespace veltrane
