#pragma once
// Access to a result set that the external solver left beside the data file.
// The raw node-result vectors (ordered by equation number) are converted once
// into node-ordered copies ("N" + raw extension) and the element-force files
// get position indexes, so that later queries seek straight to their data.
#include <cstdint>
#include "korvalib/base/KorvaApi.h"
#include "korvalib/results/Forces.h"

class bifstream;
class bofstream;
class DSpectrumDir;
template <class T>
class MArrayID;
template <class T>
class MArray;

class KORVA_API DResult {
public:
    DResult();
    DResult(const char* path, int nResultNodes);
    DResult(const DResult& o);
    DResult& operator=(const DResult& o);
    virtual ~DResult();

    void SetZero();
    // Opens the result set of a data file (path with any extension) and brings
    // its converted copies up to date. nResultNodes below 1: as at the last
    // conversion, or as the solver says. 1 on success, 0 (no set open) else.
    int SetFileName(const char* path, int nResultNodes);

    int Good() const { return m_szBasePath[0] != 0; }
    int operator!() const { return !Good(); }
    operator void*() const { return Good() ? const_cast<DResult*>(this) : nullptr; }

    // out (260 characters) = base path, then "." and ext when ext is given.
    void GetFileName(char* out, const char* ext = nullptr) const;
    void DeleteTemporaryFiles();

    // ---- node results: 6 doubles per node (ux, uy, uz, rx, ry, rz)
    int GetOneCondDisp(int cond, double (*out)[6]);
    int GetOneCombDisp(int comb, double (*out)[6]);
    int GetOneNodeAllCondDisp(int node, double (*out)[6]);
    int GetOneNodeAllCombDisp(int node, double (*out)[6]);
    int GetEigenDisp(int mode, double (*out)[6], double& period);
    int GetEigenPeriod(double* periods);
    int GetOneHistResDisp(int step, double (*out)[6], double& time);
    int GetOneHistResVel(int step, double (*out)[6], double& time);
    int GetOneHistResAcc(int step, double (*out)[6], double& time);
    int GetOneNodeAllHistResDisp(int node, double (*out)[6], double* times);
    int GetOneNodeAllHistResVel(int node, double (*out)[6], double* times);
    int GetOneNodeAllHistResAcc(int node, double (*out)[6], double* times);
    int GetOneSpecDirDisp(int dir, double (*out)[6]);
    int GetOneNodeAllSpecDirDisp(int node, double (*out)[6]);
    int GetOneBuckleDisp(int k, double (*out)[6], double& factor);
    int GetBuckleFactor(double* factors);
    int GetOneConstrDisp(int stage, double (*out)[6]);
    int GetOneNodeAllConstrDisp(int node, double (*out)[6]);
    int GetAllNodeMass(double (*out)[6]);
    int GetAllNodeAboveForce(int set, double (*out)[6]);
    int GetOneNodeAboveForce(int node, double (*out)[6]);
    // modes[spectrum modes]; a and b: spectrum modes x spectrum directions.
    int GetSpectrumCalData(int* modes, double* a, double* b);
    // out[i + j * spectrum modes] for mode entry i and direction j.
    int GetSpecMassPartRatio(MArray<DSpectrumDir>& dirs, const int* modes, double* out);

    // ---- node stresses: 9 doubles per node
    int GetOneCombPlaneStress(int set, double (*out)[9]);
    int GetOneCombSol21Stress(int set, double (*out)[9]);
    int GetOneCombS16Stress(int set, double (*out)[9]);
    int GetOneCombSol8rStress(int set, double (*out)[9]);
    int GetOneCombShellStress(int set, double (*out)[9]);
    int GetOneNodeAllCombPlaneStress(int node, double (*out)[9]);
    int GetOneNodeAllCombSol21Stress(int node, double (*out)[9]);
    int GetOneNodeAllCombS16Stress(int node, double (*out)[9]);
    int GetOneNodeAllCombSol8rStress(int node, double (*out)[9]);
    int GetOneNodeAllCombShellStress(int node, double (*out)[9]);
    // count 1..21 nodes; out[set][i] for list entry i (entries below 1 skipped).
    int GetSomeNodePlaneStress(int count, const int* nodes, double (*out)[21][9]);
    int GetSomeNodeSol21Stress(int count, const int* nodes, double (*out)[21][9]);
    int GetSomeNodeS16Stress(int count, const int* nodes, double (*out)[21][9]);
    int GetSomeNodeSol8rStress(int count, const int* nodes, double (*out)[21][9]);

    // ---- element forces (the caller's store is emptied first)
    int GetOneCombAllFrameForce(int set, MArrayID<DFrameForce>& store);
    int GetOneFrameAllCombForce(int element, MArrayID<DFrameForce>& store);
    int RecycleGetOneFrameForce(bifstream& in, int& element, MArrayID<DFrameForce>& store);
    int GetOneCombAllSframeForce(int set, MArrayID<DFrameForce>& store);
    int GetOneSframeAllCombForce(int element, MArrayID<DFrameForce>& store);
    int RecycleGetOneSframeForce(bifstream& in, int& element, MArrayID<DFrameForce>& store);
    int GetOneCombAllVframeForce(int set, MArrayID<DFrameForce>& store);
    int GetOneVframeAllCombForce(int element, MArrayID<DFrameForce>& store);
    int RecycleGetOneVframeForce(bifstream& in, int& element, MArrayID<DFrameForce>& store);
    int GetOneCombAllTrussForce(int set, MArrayID<DTrussForce>& store);
    int GetOneTrussAllCombForce(int element, MArrayID<DTrussForce>& store);
    int RecycleGetOneTrussForce(bifstream& in, int& element, MArrayID<DTrussForce>& store);
    int GetOneCombAllCframeForce(int set, MArrayID<DCframeForce>& store);
    int GetOneCframeAllCombForce(int element, MArrayID<DCframeForce>& store);
    int RecycleGetOneCframeForce(bifstream& in, int& element, MArrayID<DCframeForce>& store);
    int GetOneCombAllPipeForce(int set, MArrayID<DPipeForce>& store);
    int GetOnePipeAllCombForce(int element, MArrayID<DPipeForce>& store);
    int RecycleGetOnePipeForce(bifstream& in, int& element, MArrayID<DPipeForce>& store);
    int GetOneCombAllSpringForce(int set, MArrayID<DSpringForce>& store);
    int GetOneSpringAllCombForce(int element, MArrayID<DSpringForce>& store);
    int RecycleGetOneSpringForce(bifstream& in, int& element, MArrayID<DSpringForce>& store);
    int GetOneCombAllShellForce(int set, MArrayID<DShellForce>& store);
    int GetOneShellAllCombForce(int element, MArrayID<DShellForce>& store);
    int RecycleGetAllShellForce(bifstream& in, int& set, MArrayID<DShellForce>& store);
    int GetOneCombAllShellForceNoAve(int set, MArrayID<DShellForce>& store);
    int GetOneShellAllCombForceNoAve(int element, MArrayID<DShellForce>& store);
    int RecycleGetAllShellForceNoAve(bifstream& in, int& set, MArrayID<DShellForce>& store);
    int GetOneCombAllWallForce(int set, MArrayID<DWallForce>& store);
    int GetOneWallAllCombForce(int element, MArrayID<DWallForce>& store);
    int RecycleGetOneWallForce(bifstream& in, int& element, MArrayID<DWallForce>& store);
    int GetOneCombAllSframeCheck(int set, MArrayID<DSframeCheck>& store);
    int GetOneSframeAllCombCheck(int element, MArrayID<DSframeCheck>& store);
    int RecycleGetOneSframeCheck(bifstream& in, int& element, MArrayID<DSframeCheck>& store);
    // 1 when the element's record was found.
    int GetOneFrameReinData(int element, DFrameRein& rein);
    // 1 when the file was read to its end (also when it holds no record).
    int GetAllFrameReinData(MArrayID<DFrameRein>& store);

    // ---- the result set (read by the result display)
    int m_nNode;        // total node count N
    int m_nResultNode;  // n: leading nodes kept in the converted copies
    short m_nLoadCase;
    short m_nLoadComb;
    short m_nForceComb;  // element-force result sets
    int m_nEquation;
    short m_nMode;
    int m_nTimeStep;
    char m_nHistKind;
    short m_nSpecDir;
    short m_nBuckle;
    short m_nConstr;
    short m_nSpecMode;
    char m_szBasePath[260];

protected:
    int IsNewThanPLFile(const char* path);
    int FileTimeComp(const char* ext1, const char* ext2);
    int UpdateResult();

    int GetAllNodeDisp(const char* ext, int record, int prefixed, double (*out)[6], double* prefix);
    int GetOneNodeDisp(const char* ext, int node, int records, int prefixed, double (*out)[6], double* prefixes);
    int GetAllNodeStress(const char* ext, int set, double (*out)[9]);
    int GetOneNodeStress(const char* ext, int node, double (*out)[9]);
    int GetSomeNodeStress(const char* ext, int count, const int* nodes, double (*out)[21][9]);

    int GetOneCombAllFrameOrSframeForce(int set, MArrayID<DFrameForce>& store, int steel);
    int GetOneFrameOrSframeAllCombForce(int element, MArrayID<DFrameForce>& store, int steel);
    int RecycleGetOneSframeOrFrameForce(bifstream& in, int& element, MArrayID<DFrameForce>& store, int steel);
    int GetOneOrAllFrameReinData(MArrayID<DFrameRein>* store, int element, DFrameRein* rein);
};
