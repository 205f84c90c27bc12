#include "StartUp.h"

#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit6.h"
#include "data/DatabaseLocation.h"
#include "data/DmUnit.h"
#include "data/ReferenceDatabaseCreation.h"
#include "data/ServerLocation.h"
#include "decoder/DmDLLUnit.h"
#include "widgets/ErrorReportingApplication.h"

void createFormsAndModules()
{
    // A first start finds no database: make one before anything connects, so
    // a new user meets a working program rather than an error. A server's
    // reference is made once, by whoever keeps it (velmora-db create).
    if (!isServerLocation(caseNumberDatabasePath()))
        ErrorReportingApplication::runReportingErrors([] { createReferenceDatabaseIfMissing(caseNumberDatabasePath()); });
    Form6 = new TForm6;
    Form4 = new TForm4;
    Form5 = new TForm5;
    DM = new TDM;
    DMDLL = new TDMDLL;
    ErrorReportingApplication::runReportingErrors([] { DMDLL->DataModuleCreate(); });
    Form2 = new TForm2;
    Form3 = new TForm3;
}

namespace {

template <typename T>
void destroy(T *&instance)
{
    delete instance;
    instance = nullptr;
}

} // namespace

void destroyFormsAndModules()
{
    destroy(Form3);
    destroy(Form2);
    destroy(DMDLL);
    destroy(DM);
    destroy(Form5);
    destroy(Form4);
    destroy(Form6);
}
