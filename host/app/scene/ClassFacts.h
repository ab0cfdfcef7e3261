#pragma once

#include <map>
#include <string>
#include <vector>

#include "ParamTypes.h"
#include "hostcore.h"
#include "iparamb2.h"
#include "max.h"
#include "shaders.h"
#include "stdmat.h"

// What a scene file may say about an object of a class, learnt from a throwaway instance before the
// scene is touched: which references hold blocks and what parameters those have, how many references
// the object has, where its reference list starts, and which SDK classes it derives from.
struct ClassFacts {
    struct Param {
        ParamID id;
        int type;
        std::string typeName;  // as files write it
    };
    struct Block {
        BlockID id;
        const ParamBlockDesc2* desc = nullptr;  // the class's table: names and defaults
        std::vector<Param> params;
        const Param* Find(ParamID pid) const {
            // Blocks mostly number their parameters from 0 in order.
            const size_t at = static_cast<size_t>(pid);
            if (pid >= 0 && at < params.size() && params[at].id == pid) return &params[at];
            for (const Param& p : params)
                if (p.id == pid) return &p;
            return nullptr;
        }
    };

    ClassDesc* desc = nullptr;
    bool isMtlBase = false;
    bool isMtl = false;
    bool isTexmap = false;
    bool isSpecialFX = false;
    bool isEffect = false;
    bool isStdMat2 = false;
    bool isShader = false;
    ControllerKind controller = ControllerKind::None;
    int numRefs = 0;
    int refListStart = -1;        // -1: no reference list
    int numSubTexmaps = 0;        // Standard materials: the map channels
    std::map<int, Block> blocks;  // by reference index
    // What each reference outside the list holds in a new object: null, a block (see `blocks`) or an
    // object the constructor made, such as a Standard material's shader.
    std::vector<ClassDesc*> defaultRefs;  // the class of the object held; null for nothing or a block
    std::vector<bool> defaultHolds;       // whether the reference holds anything at all
    int defaultListCount = 0;             // the entries of a new object's reference list

    bool HasName() const { return isMtlBase || isSpecialFX; }
    bool HasRefList() const { return refListStart >= 0; }
    // References that are not part of the list.
    int FixedRefs() const { return HasRefList() ? refListStart : numRefs; }
};

// Makes one object of the class through the host, records its facts and frees it again with what its
// constructor made. False, with the reason, when the host cannot make the class.
bool LearnClassFacts(ClassDesc* desc, ClassFacts& facts, std::string& why);

// Every class a scene file can name (those with an internal name), in order of their internal names.
std::vector<ClassDesc*> SceneClasses();

// The reference list of an object, or null.
IRefList* GetRefList(ReferenceTarget* t);
