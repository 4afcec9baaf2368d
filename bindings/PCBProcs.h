#pragma once
// The PCB editor's function family, bound by name from the editor module that the host has already
// loaded, with one thin wrapper for each function that the module calls. A wrapper whose function
// the editor does not export answers a fixed default and calls nothing. Beside the calls live the
// object kinds and the conversions of the editor's units.
#include <array>
#include <cstddef>
#include <string_view>

#include "bindings/PcbApiContract.h"

namespace qv {

// The kinds of editor object that the module knows.
constexpr ObjectId ArcObject = 1;
constexpr ObjectId PadObject = 2;
constexpr ObjectId ViaObject = 3;
constexpr ObjectId TrackObject = 4;
constexpr ObjectId TextObject = 5;
constexpr ObjectId FillObject = 6;
constexpr ObjectId FromToObject = 7;
constexpr ObjectId NetObject = 8;
constexpr ObjectId ComponentObject = 9;
constexpr ObjectId PolygonObject = 10;
constexpr ObjectId DimensionObject = 11;
constexpr ObjectId CoordinateObject = 12;
constexpr ObjectId ClassObject = 13;
constexpr ObjectId RuleObject = 14;
constexpr ObjectId ManualFromToObject = 15;
constexpr ObjectId BoardOutlineObject = 21;

// The editor's function names, in binding order.
inline constexpr std::array<std::string_view, 238> PcbApiNames = {
    "PcbApi_QueryFocusedPrimitive",
    "PcbApi_GetCurrentComponent",
    "PcbApi_GetCurrentBoardHandle",
    "PcbApi_SendCommand",
    "PcbApi_GetCurrentEditorWindow",
    "PcbApi_Percent_Init",
    "PcbApi_Percent_Update",
    "PcbApi_Percent_UpdateByNumber",
    "PcbApi_Percent_Finish",
    "PcbApi_ClearUndoRedo",
    "PcbApi_SetCurrentBoardHandle",
    "PcbApi_GetBoardHandleFromFileName",
    "PcbApi_GetBoardHandleFromFullFileName",
    "PcbApi_GetObjectAtCursor",
    "PcbApi_GetObjectAtXYAskUserIfAmbiguous",
    "PcbApi_ExecuteMacroExt",
    "PcbApi_ExecuteMacro",
    "PcbApi_RunNetAnalyser",
    "PcbApi_LoadComponentFromLibrary",
    "PcbApi_ChooseRectangleByCorners",
    "PcbApi_ChooseLocation",
    "PcbApi_QueryCursorLocation",
    "PcbApi_CreateObject",
    "PcbApi_CreateDimensionObject",
    "PcbApi_DestroyObject",
    "PcbApi_CreateRuleObject",
    "PcbApi_CreateClassObject",
    "PcbApi_CreateClassObjectEx",
    "PcbApi_FindDominantRuleForObject",
    "PcbApi_FindDominantRuleForObjectPair",
    "PcbApi_AnalyzeNet",
    "PcbApi_ShowObject",
    "PcbApi_HideObject",
    "PcbApi_InvertObject",
    "PcbApi_ScreenDisplay",
    "PcbApi_AddObjectToContainer",
    "PcbApi_SetOwnerBoard",
    "PcbApi_DeleteObjectFromContainer",
    "PcbApi_QueryPad",
    "PcbApi_QueryPadCache",
    "PcbApi_QueryPadOrViaShapeOnLayer",
    "PcbApi_SetPadShapeOnLayer",
    "PcbApi_SetPadSizeOnLayer",
    "PcbApi_QueryPadStackMode",
    "PcbApi_QueryPadOrViaSizeOnLayer",
    "PcbApi_QueryPadConnectToLayer",
    "PcbApi_QueryPad_PwrGnd",
    "PcbApi_QueryTrack",
    "PcbApi_QueryVia",
    "PcbApi_QueryNet",
    "PcbApi_QueryClass",
    "PcbApi_GetMemberFromClassAt",
    "PcbApi_AddMemberToClass",
    "PcbApi_RemoveAllMembersFromClass",
    "PcbApi_QueryNetRules",
    "PcbApi_QueryFromTo",
    "PcbApi_QueryManualFromTo",
    "PcbApi_QueryCoordinate",
    "PcbApi_QueryDimension",
    "PcbApi_QueryExtDimension",
    "PcbApi_References_Count",
    "PcbApi_References_At",
    "PcbApi_References_Add",
    "PcbApi_TextLocations_Count",
    "PcbApi_TextLocations_At",
    "PcbApi_TextLocations_Add",
    "PcbApi_QueryLinearDimension",
    "PcbApi_QueryAngularDimension",
    "PcbApi_QueryRadialDimension",
    "PcbApi_QueryLeaderDimension",
    "PcbApi_QueryDatumDimension",
    "PcbApi_QueryBaselineDimension",
    "PcbApi_QueryCenterDimension",
    "PcbApi_QueryOriginalDimension",
    "PcbApi_QueryLinearDiameterDimension",
    "PcbApi_QueryRadialDiameterDimension",
    "PcbApi_QueryPrimitive",
    "PcbApi_QueryFill",
    "PcbApi_QueryArc",
    "PcbApi_QueryText",
    "PcbApi_QueryPolygon",
    "PcbApi_QueryComponent",
    "PcbApi_QueryLibComponent",
    "PcbApi_QueryComponentEx",
    "PcbApi_QueryComponent_ApplyAutopositionNameComment",
    "PcbApi_QueryComponentUniqueId",
    "PcbApi_QueryComponentSourceLinks",
    "PcbApi_QueryComponentKind",
    "PcbApi_QueryComponentChannelOffset",
    "PcbApi_QueryComponent_GetObjectAt",
    "PcbApi_QueryObjectBoundingRectangle",
    "PcbApi_QueryObjectImport_FromUser",
    "PcbApi_QueryObjectSetState_Default",
    "PcbApi_QueryObjectGraphicallyInvalidate",
    "PcbApi_QuerySheet",
    "PcbApi_QueryBoard",
    "PcbApi_QueryBoardGridsEx",
    "PcbApi_QueryBoardGrids",
    "PcbApi_QueryBoardLayerPairsCount",
    "PcbApi_QueryBoardLayerPairAt",
    "PcbApi_QueryBoardEngineeringChangeOrderOptions",
    "PcbApi_QueryBoardOutputOptions",
    "PcbApi_QueryBoardOutputOptionsPlotLayers",
    "PcbApi_QueryBoardOutputOptionsFlipLayers",
    "PcbApi_QueryBoardGerberOptions",
    "PcbApi_QueryBoardPrinterOptions",
    "PcbApi_QueryBoardPrinterOptionsPlotterPen",
    "PcbApi_QueryBoardPrinterOptionsCompositeLayer",
    "PcbApi_QueryBoardAdvancedPlacerOptions",
    "PcbApi_QueryBoardAdvancedPlacerOptionsExt",
    "PcbApi_QueryBoardDesignRuleCheckerOptions",
    "PcbApi_QuerySystemOptions",
    "PcbApi_QuerySystemOptionsPlaceArray",
    "PcbApi_QuerySystemOptionsPorts",
    "PcbApi_QuerySystemOptionsMiscellaneousEx",
    "PcbApi_QuerySystemOptionsMiscellaneous",
    "PcbApi_GetState_ComponentTypeMappingsCount",
    "PcbApi_SetState_DeleteAllComponentTypeMappings",
    "PcbApi_SetState_AddComponentTypeMapping",
    "PcbApi_GetState_ComponentTypeMappingAt",
    "PcbApi_QuerySystemGetGlobalPrimitive",
    "PcbApi_QuerySystemGetGlobalDimension",
    "PcbApi_QueryEmbedded",
    "PcbApi_QueryRule",
    "PcbApi_QueryRuleEx",
    "PcbApi_QueryRuleScopeDescriptions",
    "PcbApi_QueryObjectParameters",
    "PcbApi_Scope2_Includes",
    "PcbApi_Scope1_Includes",
    "PcbApi_QueryRuleExt",
    "PcbApi_QueryRuleExtEx",
    "PcbApi_SetState_DeleteAllSubScopes",
    "PcbApi_SetState_AddSubscope",
    "PcbApi_GetState_SubScopesCount",
    "PcbApi_GetState_SubscopeAt",
    "PcbApi_QueryLayer",
    "PcbApi_QueryInternalPlane",
    "PcbApi_QueryLayerDielectric",
    "PcbApi_QueryBoardExternalDielectrics",
    "PcbApi_InsertLayerInStack",
    "PcbApi_RemoveLayerFromStack",
    "PcbApi_QueryViolation",
    "PcbApi_QueryRuleParallelSegmentConstraint",
    "PcbApi_QueryRuleClearanceConstraint",
    "PcbApi_QueryRuleMaxMinLengthConstraint",
    "PcbApi_QueryRuleMaxMinWidthConstraint",
    "PcbApi_QueryRuleMaxMinWidthConstraintExt",
    "PcbApi_QueryRuleRoutingCornerStyleRule",
    "PcbApi_QueryRuleRoutingViaStyleRule",
    "PcbApi_QueryRuleRoutingViaStyleRuleExt",
    "PcbApi_QueryRuleRoutingLayersRule",
    "PcbApi_QueryRuleRoutingTopologyRule",
    "PcbApi_QueryRuleRoutingPriorityRule",
    "PcbApi_QueryRulePowerPlaneConnectStyleRule",
    "PcbApi_QueryRulePasteMaskExpansionRule",
    "PcbApi_QueryRuleSolderMaskExpansionRule",
    "PcbApi_QueryRulePowerPlaneExpansionRule",
    "PcbApi_QueryRuleDaisyChainStubLengthConstraint",
    "PcbApi_QueryRuleMatchedNetLengthsConstraint",
    "PcbApi_QueryRuleShortCircuitConstraint",
    "PcbApi_QueryRuleBrokenNetRule",
    "PcbApi_QueryRuleViasUnderSMDConstraint",
    "PcbApi_QueryRuleMaximumViaCountRule",
    "PcbApi_QueryRuleMinimumAnnularRingRule",
    "PcbApi_QueryRuleAcuteAngleRule",
    "PcbApi_QueryRuleConfinementConstraint",
    "PcbApi_QueryRuleSMDToCorner",
    "PcbApi_QueryRuleComponentClearanceConstraint",
    "PcbApi_QueryRuleComponentRotationsRule",
    "PcbApi_QueryRulePermittedLayersRule",
    "PcbApi_QueryRuleSignalStimulus",
    "PcbApi_QueryRuleMaxOvershootRise",
    "PcbApi_QueryRuleMaxOvershootFall",
    "PcbApi_QueryRuleMaxUndershootRise",
    "PcbApi_QueryRuleMaxUndershootFall",
    "PcbApi_QueryRuleMaxMinImpedance",
    "PcbApi_QueryRuleMinSignalTopValue",
    "PcbApi_QueryRuleMaxSignalBaseValue",
    "PcbApi_QueryRuleFlightTime_RisingEdge",
    "PcbApi_QueryRuleFlightTime_FallingEdge",
    "PcbApi_QueryRuleMaxSlope_RisingEdge",
    "PcbApi_QueryRuleMaxSlope_FallingEdge",
    "PcbApi_QueryRuleSupplyNets",
    "PcbApi_QueryRuleTestpointUsage",
    "PcbApi_QueryRuleTestpointStyle",
    "PcbApi_QueryBoardLayerInfo",
    "PcbApi_QueryBoardWindowRectangle",
    "PcbApi_QueryBoardInternalPlaneNets",
    "PcbApi_QuerySystemOptionsLayerDrawingOrder",
    "PcbApi_QuerySystemOptionsPolygon",
    "PcbApi_QuerySystemOptionsProtection",
    "PcbApi_CreateIterator",
    "PcbApi_DestroyIterator",
    "PcbApi_GetNextObject",
    "PcbApi_GetFirstObject",
    "PcbApi_CreateSpatialIterator",
    "PcbApi_DestroySpatialIterator",
    "PcbApi_GetNextSpatialObject",
    "PcbApi_GetFirstSpatialObject",
    "PcbApi_TestTrack",
    "PCBAPI_GetUnaryRuleForPrimitive",
    "PCBAPI_GetBinaryRuleForPrimitive",
    "PCBAPI_CheckPrimitivesOverlapWithClearance",
    "PcbApi_TestFill",
    "PcbApi_TestPad",
    "PcbApi_TestArc",
    "PcbApi_TestText",
    "PcbApi_TestVia",
    "PcbApi_ConvertTextToStrokeArray",
    "PcbApi_EventRouter_SendMessage",
    "PcbApi_GetState_ProcessDepth",
    "PcbApi_SetState_ProcessDepth",
    "PcbApi_RunEventHandler",
    "PcbApi_CreateEventHandler",
    "PcbApi_DestroyEventHandler",
    "PcbApi_EventHandlerPerformanceIsPoor",
    "PcbApi_AddRobotToRobotsList",
    "PcbApi_RemoveRobotFromRobotsList",
    "PcbApi_GetRobotAt",
    "PcbApi_GetRobotsCount",
    "PcbApi_CreateRobot",
    "PcbApi_DeleteRobot",
    "PcbApi_GetRobotObjectHandleByName",
    "PcbApi_GetRobotNameAndCallback",
    "PcbApi_GetObjectIdFromObjectHandle",
    "PcbApi_GetPalette",
    "PcbApi_GetObjectBitField2",
    "PcbApi_GetObjectBitField3",
    "PcbApi_ChangePanelHandle",
    "PcbApi_ResetPanel",
    "PcbApi_CreateBoardOutline",
    "PcbApi_UpdateBoardOutline",
    "PcbApi_CreatePainter",
    "PcbApi_Export_ToPainter",
    "PcbApi_CreateLibReader",
    "PcbApi_GetLibReaderCount",
    "PcbApi_GetLibReaderPattern",
    "PcbApi_DestroyLibReader",
};

// The position of `name` in PcbApiNames; a name that is not there does not compile.
consteval std::size_t PcbApiIndex(std::string_view name) {
  for (std::size_t i = 0; i < PcbApiNames.size(); ++i)
    if (PcbApiNames[i] == name) return i;
  throw "not a PcbApi name";
}

// Binds every name from the editor module found loaded under its name; a name that the module
// does not export, or every name when the module is not loaded, stays unbound. Called once when
// the library is loaded; the module is looked up, never loaded or freed.
void BindPcbApi();
// The bound address of a name, or none.
void (*PcbApiEntry(std::size_t index))();

// The wrappers: the editor function of the same name, called with the arguments unchanged.
ObjectHandle PcbApi_GetCurrentBoardHandle();
ObjectHandle PcbApi_CreateObject(ObjectId kind);
Status PcbApi_AddObjectToContainer(ObjectHandle container, ObjectHandle object);
ObjectId PcbApi_GetObjectIdFromObjectHandle(ObjectHandle object);
ObjectHandle PcbApi_CreateIterator(ObjectHandle container, ObjectId kind, uint8_t method,
                                   LayerId layer);
ObjectHandle PcbApi_GetFirstObject(ObjectHandle iterator);
ObjectHandle PcbApi_GetNextObject(ObjectHandle iterator);
Status PcbApi_DestroyIterator(ObjectHandle iterator);
Status PcbApi_QueryObjectBoundingRectangle(ObjectHandle object, Coord* x1, Coord* y1, Coord* x2,
                                           Coord* y2);
Status PcbApi_QueryObjectImport_FromUser(ObjectHandle object);
Status PcbApi_QueryObjectGraphicallyInvalidate(ObjectHandle object);
void PcbApi_GetObjectBitField2(QueryMode mode, ObjectHandle object, uint8_t* bitField2);
void PcbApi_GetObjectBitField3(QueryMode mode, ObjectHandle object, uint16_t* bitField3);
Status PcbApi_QueryPrimitive(QueryMode mode, ObjectHandle object, uint16_t* flags,
                             uint16_t* commonWord, LayerId* layer, ObjectHandle* netHandle,
                             ObjectHandle* componentHandle, uint8_t* commonByte);
Status PcbApi_QueryArc(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                       LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                       ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* radius,
                       double* startAngle, double* endAngle, Coord* lineWidth, int32_t* link1);
Status PcbApi_QueryPad(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                       LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                       ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* topXSize,
                       Coord* topYSize, Coord* midXSize, Coord* midYSize, Coord* bottomXSize,
                       Coord* bottomYSize, Coord* holeSize, uint8_t* topShape, uint8_t* midShape,
                       uint8_t* bottomShape, ShortString<20>* name, uint8_t* padByte1,
                       uint8_t* padByte2, double* rotation);
Status PcbApi_QueryVia(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                       LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                       ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* size,
                       Coord* holeSize, LayerId* lowLayer, LayerId* highLayer);
Status PcbApi_QueryTrack(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                         LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                         ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* x2, Coord* y2,
                         Coord* width, int32_t* link1, int32_t* link2, int32_t* link3);
Status PcbApi_QueryText(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                        LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                        ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* size,
                        int32_t* font, double* rotation, uint8_t* mirrored, ShortString<254>* text,
                        Coord* lineWidth, int32_t* link2, int32_t* link3);
Status PcbApi_QueryFill(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                        LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                        ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* x2, Coord* y2,
                        int32_t* link1, double* rotation);
Status PcbApi_QueryPadStackMode(QueryMode mode, ObjectHandle pad, uint8_t* stackMode);
Status PcbApi_QueryPadOrViaShapeOnLayer(ObjectHandle object, LayerId layer, uint8_t* shape);
Status PcbApi_QueryPadOrViaSizeOnLayer(ObjectHandle object, LayerId layer, Coord* xSize,
                                       Coord* ySize);
Status PcbApi_SetPadShapeOnLayer(ObjectHandle pad, LayerId layer, uint8_t shape);
Status PcbApi_SetPadSizeOnLayer(ObjectHandle pad, LayerId layer, Coord xSize, Coord ySize);
Status PcbApi_QueryCoordinate(QueryMode mode, ObjectHandle object, uint16_t* flags,
                              uint16_t* commonWord, uint8_t* commonByte, Coord* x, Coord* y,
                              LayerId* layer, int32_t* field1, int32_t* field2, int32_t* field3,
                              int32_t* field4, int32_t* field5, int32_t* field6);
Status PcbApi_QueryDimension(QueryMode mode, ObjectHandle object, uint16_t* flags,
                             uint16_t* commonWord, uint8_t* commonByte, Coord* x, Coord* y,
                             int32_t* dimValue1, int32_t* dimValue2, LayerId* layer,
                             int32_t* dimValue3, int32_t* dimValue4, int32_t* dimValue5,
                             int32_t* dimValue6, int32_t* dimValue7, uint8_t* dimValue8);
Status PcbApi_QueryExtDimension(QueryMode mode, ObjectHandle object, uint8_t* ext1, int32_t* ext2,
                                int32_t* ext3, int32_t* ext4, uint8_t* ext5, int32_t* ext6,
                                String255* ext7, uint8_t* ext8, int32_t* ext9, String255* ext10,
                                String255* ext11, double* ext12, int32_t* ext13, int32_t* ext14,
                                int32_t* ext15, uint8_t* ext16, int32_t* ext17, int32_t* ext18,
                                int32_t* ext19);
Status PcbApi_References_Count(ObjectHandle dimension, int32_t* count);
Status PcbApi_References_At(QueryMode mode, ObjectHandle dimension, int32_t index, int32_t* ref1,
                            int32_t* ref2, int32_t* ref3, int32_t* ref4);
Status PcbApi_QueryPolygon(QueryMode mode, ObjectHandle object, uint16_t* flags,
                           uint16_t* commonWord, LayerId* layer, ObjectHandle* netHandle,
                           uint8_t* commonByte, uint8_t* field2, uint8_t* field3, uint8_t* field4,
                           int32_t* field5, int32_t* field6, uint8_t* field10, uint16_t* field11,
                           int32_t* field7, uint8_t* field1, int32_t* field8, int32_t* field9);
Status PcbApi_QueryFromTo(QueryMode mode, ObjectHandle object, uint16_t* commonWord, Coord* x,
                          Coord* y, LayerId* fromLayer, Coord* x2, Coord* y2, LayerId* toLayer,
                          ObjectHandle* netHandle);
Status PcbApi_QueryManualFromTo(QueryMode mode, ObjectHandle object, uint16_t* commonWord,
                                String255* field1, String255* field2, String255* field3,
                                int32_t* field4);
Status PcbApi_QueryNet(QueryMode mode, ObjectHandle object, uint16_t* commonWord, String255* name,
                       uint8_t* netByte1, uint8_t* netByte2);
Status PcbApi_QueryClass(QueryMode mode, ObjectHandle object, uint16_t* commonWord,
                         uint8_t* classByte1, uint8_t* classByte2, String255* name);
Status PcbApi_AddMemberToClass(ObjectHandle objectClass, String255* name);
Status PcbApi_GetMemberFromClassAt(ObjectHandle objectClass, int32_t index, String255* name);
Status PcbApi_RemoveAllMembersFromClass(ObjectHandle objectClass);
Status PcbApi_QueryRule(QueryMode mode, ObjectHandle object, uint8_t* f1, uint8_t* f2, uint8_t* f3,
                        uint8_t* f4, uint8_t* f5, uint8_t* f6, uint8_t* f7, String255* f8,
                        String255* f9, String255* f10, String255* f11, uint8_t* f12, uint8_t* f13,
                        int32_t* f14, int32_t* f15, int32_t* f16, int32_t* f17, String255* f18,
                        String255* f19, String255* f20, String255* f21, String255* f22,
                        String255* f23);
Status PcbApi_QueryComponent(QueryMode mode, ObjectHandle component, uint16_t* flags,
                             uint16_t* commonWord, LayerId* layer, uint8_t* commonByte,
                             ObjectHandle* nameHandle, ObjectHandle* commentHandle,
                             ShortString<250>* pattern, uint8_t* componentByte1,
                             uint8_t* componentByte2, Coord* x, Coord* y, int32_t* componentValue,
                             double* rotation, uint8_t* componentByte3);
Status PcbApi_QueryComponentEx(QueryMode mode, ObjectHandle component, int32_t* exValue1,
                               uint8_t* exByte1, uint8_t* exByte2, int32_t* exValue2);
Status PcbApi_QueryComponentSourceLinks(QueryMode mode, ObjectHandle component, String255* link1,
                                        String255* link2, String255* link3, String255* link4,
                                        String255* link5, String255* link6, String255* link7);
Status PcbApi_QueryComponentChannelOffset(QueryMode mode, ObjectHandle component,
                                          int32_t* channelOffset);
Status PcbApi_QueryComponentKind(QueryMode mode, ObjectHandle component, uint8_t* componentKind);
Status PcbApi_QueryBoard(QueryMode mode, ObjectHandle board, int32_t* boardValue1,
                         String255* fileName, uint8_t* isLibrary, int32_t* boardValue2,
                         int32_t* boardValue3, int32_t* boardValue4, int32_t* boardValue5,
                         uint8_t* boardByte1, uint8_t* boardByte2, int32_t* boardValue6);
Status PcbApi_QueryBoardGridsEx(QueryMode mode, ObjectHandle board, uint8_t* gridByte1,
                                uint8_t* gridByte2, uint8_t* gridByte3, uint8_t* gridByte4,
                                double* gridValue1, double* gridValue2, double* gridValue3,
                                double* gridValue4, int32_t* gridInteger1, uint8_t* gridByte5,
                                double* gridValue5, double* gridValue6, double* gridValue7,
                                double* gridValue8);
Status PcbApi_QueryBoardLayerPairsCount(ObjectHandle board, int32_t* count);
Status PcbApi_QueryBoardLayerPairAt(QueryMode mode, ObjectHandle board, int32_t index,
                                    LayerId* layer1, LayerId* layer2, uint8_t* pairByteB,
                                    uint8_t* pairByteA);
Status PcbApi_QueryBoardEngineeringChangeOrderOptions(QueryMode mode, ObjectHandle board,
                                                      uint8_t* ecoByte, String255* ecoText);
Status PcbApi_QueryBoardOutputOptions(QueryMode mode, ObjectHandle board, int32_t* value1,
                                      int32_t* value2, uint8_t* b1, uint8_t* b2, uint8_t* b3,
                                      uint8_t* b4, uint8_t* b5, uint8_t* b6, uint8_t* b7,
                                      uint8_t* b8, uint8_t* b9, uint8_t* b10, uint8_t* b11,
                                      uint8_t* b12, uint8_t* b13, uint8_t* b14, uint8_t* b15,
                                      uint8_t* b16, uint8_t* b17, uint8_t* b18, uint8_t* b19,
                                      uint8_t* b20, uint8_t* b21, uint8_t* b22);
Status PcbApi_QueryBoardOutputOptionsPlotLayers(QueryMode mode, ObjectHandle board, LayerId index,
                                                uint8_t* plotLayer);
Status PcbApi_QueryBoardOutputOptionsFlipLayers(QueryMode mode, ObjectHandle board, LayerId index,
                                                uint8_t* flipLayer);
Status PcbApi_QueryBoardAdvancedPlacerOptions(QueryMode mode, ObjectHandle board, String255* text1,
                                              String255* text2, uint8_t* b1, uint8_t* b2,
                                              uint8_t* b3, uint8_t* b4);
Status PcbApi_QueryBoardGerberOptions(QueryMode mode, ObjectHandle board, uint8_t* b1, uint8_t* b2,
                                      uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6,
                                      uint8_t* b7, int32_t* v1, int32_t* v2, int32_t* v3,
                                      int32_t* v4, int32_t* v5, String255* text, int32_t* v6,
                                      uint8_t* b8, uint8_t* b9, int32_t* v7, int32_t* v8);
Status PcbApi_QueryBoardPrinterOptions(QueryMode mode, ObjectHandle board, String255* text1,
                                       String255* text2, String255* text3, uint8_t* b1, uint8_t* b2,
                                       uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6,
                                       int32_t* v1, double* v2, double* v3, double* v4,
                                       ByteBlock<22>* field, uint8_t* b7, uint8_t* b8, double* v5,
                                       double* v6, double* v7, int32_t* v8, int32_t* v9,
                                       uint8_t* b9, uint8_t* b10, uint8_t* b11, uint8_t* b12,
                                       uint8_t* b13);
Status PcbApi_QueryBoardPrinterOptionsPlotterPen(QueryMode mode, ObjectHandle board, int32_t pen,
                                                 int32_t* penValueA, int32_t* penValueB);
Status PcbApi_QueryBoardPrinterOptionsCompositeLayer(QueryMode mode, ObjectHandle board,
                                                     LayerId layer, int32_t* compositeA,
                                                     int32_t* compositeB, uint8_t* compositeC,
                                                     int32_t* compositeD);
Status PcbApi_QueryBoardExternalDielectrics(QueryMode mode, ObjectHandle board,
                                            String255* topMaterial, uint8_t* topType,
                                            double* topConstant, Coord* topHeight,
                                            String255* bottomMaterial, uint8_t* bottomType,
                                            double* bottomConstant, Coord* bottomHeight);
Status PcbApi_QueryBoardLayerInfo(QueryMode mode, ObjectHandle board, LayerId layer,
                                  int32_t* layerInfo, uint8_t* scratch1, uint8_t* scratch2);
Status PcbApi_QueryLayer(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                         Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                         LayerId* previousLayer, LayerId* nextLayer, uint8_t* layerByte3);
Status PcbApi_QueryInternalPlane(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                                 Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                                 LayerId* previousLayer, LayerId* nextLayer, String255* netName);
Status PcbApi_QueryLayerDielectric(QueryMode mode, LayerId layer, ObjectHandle board,
                                   String255* material, uint8_t* type, double* constant,
                                   Coord* height);

// Degrees to radians, formed in extended precision and rounded once to a double.
double DegreesToRadians(double degrees);
// A Coord in mils, its fraction rounded to three decimals (ties to even).
double CoordToMils(Coord c);
// Rounds to the nearest integer, a tie going to the even one, whatever the rounding mode.
long double RoundHalfEven(long double value);
// Rounds to a 64-bit double on every build, also where doubles live in extended registers.
double RoundToDouble(long double value);

}  // namespace qv
