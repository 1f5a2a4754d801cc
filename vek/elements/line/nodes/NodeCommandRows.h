#pragma once
// The rows of the command table that start the node and spring operations:
// which menu command begins which operation, how the user answers it
// (points picked, nodes selected, or at once), its prompt and when the
// command is offered. The view's operation record starts an operation from
// its row and calls RunNodeCommand with the operation's code when it ends.

// How an operation takes its input.
enum class ENodeCommandKind {
    Points,  // picked points, up to the limit
    Select,  // the selected nodes, confirmed
    Object,  // one object of the row's kind, clicked (the selection cleared)
};

// When the command is offered.
enum class ENodeCommandEnabled {
    Always,
    Modeller,  // the modelling program, not the result viewer
    Nodes,     // the model has nodes
    Springs,   // the model has springs
    Storeys,   // the model has storeys
};

struct CNodeCommandRow {
    unsigned command;  // menu command id
    int code;          // operation code (RunNodeCommand)
    ENodeCommandKind kind;
    int limit;           // points picked before the operation runs (Points)
    bool keep;           // the operation starts again when it has run
    const char* prompt;  // null: the operation's usual prompt
    ENodeCommandEnabled enabled;
    // Operation codes this one replaces when one of them runs (0 ends the list).
    int replaces[3];
};

// The rows, in menu order; count receives how many there are.
const CNodeCommandRow* NodeCommandRows(int& count);
// The row of a menu command, or null.
const CNodeCommandRow* FindNodeCommandRow(unsigned command);
// Whether the row's command is offered in the model as it is.
bool NodeCommandOffered(const CNodeCommandRow& row);
