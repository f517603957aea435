#pragma once

#include "base/BaseGenealogique.h"
#include "base/EstimationNaissances.h"
#include "gedcom/LecteurGedcom.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace veltrane {

// Ce que montrent la fenêtre d'une personne et celle de sa famille, en texte Windows-1252
// (lignes finies par '\n') : identité, naissance, décès, parents, année estimée, puis chaque
// union avec conjoint, mariage, divorce et enfants. Attend l'estimation des naissances.
// Lève OperationImpossible pour un numéro hors de 1..N.
std::string texteConsultation(const BaseGenealogique& base, const EstimationNaissances& estimation,
                              std::int32_t n);

// Écrit ce même bloc ; lève OperationImpossible quand le flux refuse l'écriture.
void ecrireConsultation(std::ostream& sortie, const BaseGenealogique& base,
                        const EstimationNaissances& estimation, std::int32_t n);

// Toutes les personnes par numéro croissant, séparées par une ligne vide, chaque bloc précédé
// de « # numéro référence ». Écrit personne par personne : aucun bloc n'est gardé.
// fichiers : les fichiers GEDCOM du chargement (ResultatChargement::fichiers), qui doivent
// rester en place (copies UTF-8 comprises) pendant l'écriture.
void ecrireToutesConsultations(std::ostream& sortie, const BaseGenealogique& base,
                               const EstimationNaissances& estimation,
                               const std::vector<FichierGedcom>& fichiers);

// Même liste, la référence de chaque personne (vide : aucune) venant de l'appelant, par
// exemple d'une table de références gardée au chargement.
using ReferenceDePersonne = std::function<std::string(std::int32_t n, const Individu& individu)>;
void ecrireToutesConsultations(std::ostream& sortie, const BaseGenealogique& base,
                               const EstimationNaissances& estimation,
                               const ReferenceDePersonne& reference);

// Références GEDCOM des personnes (« @I12@ »), relues par pread sur la ligne de niveau 0 qui
// précède la position rangée dans leur fiche. Les fichiers restent ouverts tant que l'objet vit.
class ReferencesGedcom {
public:
    explicit ReferencesGedcom(const std::vector<FichierGedcom>& fichiers);
    ~ReferencesGedcom();
    ReferencesGedcom(const ReferencesGedcom&) = delete;
    ReferencesGedcom& operator=(const ReferencesGedcom&) = delete;

    // Vide quand la personne n'a pas d'enregistrement INDI, que son fichier est illisible ou
    // que la ligne trouvée n'est plus la sienne (fichier réécrit depuis le chargement).
    std::string reference(const Individu& individu) const;

private:
    std::vector<int> descripteurs_;
    std::vector<JeuCaracteres> jeux_;
};

} // namespace veltrane
