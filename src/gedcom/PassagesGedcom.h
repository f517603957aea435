#pragma once

#include "gedcom/ApercuGedcom.h"
#include "gedcom/Chargeur.h"

#include <cstdint>
#include <string>
#include <string_view>

// Les deux passages sur les lignes GEDCOM : machines à états et gestionnaires de balises.
namespace veltrane::chargement {

// Premier passage d'un fichier depuis son début : index, liens, comptes d'événements ; l'aperçu
// du fichier est fait sur les mêmes lignes.
void lirePremierPassage(Chargeur& c, SuiviApercu& suivi);
// Tris stables des dialectes du fichier : enfants par naissance, unions par mariage.
void trierFichier(Chargeur& c, int indexFichier);

// Second passage : un enregistrement relu depuis son décalage, dans le tampon de c.
void lireIndividu(Chargeur& c, std::int64_t decalage);
void lireUnion(Chargeur& c, std::int64_t decalage);
// Le seul nom (c.nomLu), pour un message.
void relireNom(Chargeur& c, std::int64_t decalage);

std::string texteCoupe(std::string_view v, std::size_t taille);
void decouperNom(std::string_view v, std::string& nom, std::string& prenoms);
// Baptême ou inhumation à la place d'une naissance ou d'un décès sans date.
void substituerRegistre(DateGenealogique& date, Lieu& lieu, const DateGenealogique& registre,
                        Lieu& lieuRegistre);

} // namespace veltrane::chargement
