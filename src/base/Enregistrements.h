#pragma once

#include "dates_lieux/DateGenealogique.h"

#include <cstdint>

namespace veltrane {

// Les huit zones de textes, dans l'ordre où elles suivent les enregistrements du fichier.
enum class Zone : int {
    Notes = 0,
    Noms,
    Prenoms,
    Lieux,
    Professions,
    Commentaires,
    Photos,
    Sources,
};
inline constexpr int NOMBRE_ZONES = 8;

// Fiche d'une personne (68 octets). Les textes sont des positions 1-based dans leur zone.
struct Individu {
    static constexpr int TAILLE = 68;

    std::int32_t nom = 0;
    std::int32_t prenoms = 0;
    std::int32_t naissance = 0; // numéro d'événement
    std::int32_t deces = 0;     // numéro d'événement
    std::int32_t profession = 0;
    std::int32_t commentaire = 0;
    std::int32_t photos = 0;
    std::int32_t notes = 0;
    std::uint8_t sexe = 0;           // 'M', 'F' ou ' ' ; 0 seulement pour la personne absente
    std::uint8_t indiceFichier = 0;  // rang du fichier GEDCOM dans une fusion
    std::int32_t positionGedcom = 0; // 0 : pas d'enregistrement INDI
    std::int32_t lienFrere = 0;      // > 0 frère suivant, < 0 moins le premier enfant
    std::int32_t pere = 0;
    std::int32_t mere = 0;
    std::int32_t premiereUnion = 0;
    std::int32_t source = 0;
    std::int32_t sourceProfession = 0;
    std::int32_t sourceCommentaire = 0;

    void encoder(std::uint8_t* octets) const;
    static Individu decoder(const std::uint8_t* octets);
    // Les lecteurs tiennent une fiche entièrement nulle pour une personne absente.
    bool estAbsent() const;

    friend bool operator==(const Individu&, const Individu&) = default;
};

// Valeur du champ divorce quand il n'y a pas de divorce (0 : divorce sans date ni lieu).
inline constexpr std::int32_t SANS_DIVORCE = -1;

// Un côté d'union (24 octets) : un enregistrement par conjoint connu.
struct Famille {
    static constexpr int TAILLE = 24;

    std::int32_t conjoint = 0;
    std::int32_t premierEnfant = 0;
    std::int32_t mariage = 0;
    std::int32_t divorce = 0;
    std::int32_t unionSuivante = 0; // <= 0 : moins la première union de la personne
    std::int32_t cotePartenaire = 0;

    void encoder(std::uint8_t* octets) const;
    static Famille decoder(const std::uint8_t* octets);

    friend bool operator==(const Famille&, const Famille&) = default;
};

// Événement daté ou localisé (20 octets).
struct Evenement {
    static constexpr int TAILLE = 20;

    DateGenealogique date;
    std::int32_t lieu = 0;
    std::int32_t source = 0;
    std::int32_t sourceLieu = 0;

    void encoder(std::uint8_t* octets) const;
    static Evenement decoder(const std::uint8_t* octets);

    friend bool operator==(const Evenement&, const Evenement&) = default;
};

// Code d'un lieu : deux lettres du pays (octet 0 en poids fort) et l'octet de région.
struct CodeLieu {
    std::uint16_t pays = 0;
    std::uint8_t region = 0;

    friend bool operator==(const CodeLieu&, const CodeLieu&) = default;
};

} // namespace veltrane
