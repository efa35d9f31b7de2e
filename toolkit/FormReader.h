// Reads a form resource: a text that lists a form's components with their properties,
//
//   object MainForm: TMainForm
//     Caption = 'Title'#13#10'second line'
//     Font.Style = [fsBold]
//     OnShow = FormShow
//     object lFolders: TLabel
//       Anchors = [akLeft, akTop]
//     end
//   end
//
// Components are created by registered class name and owned by the root, properties are
// applied in resource order through the published-property machinery, references to other
// components (also "OtherForm.Component") are resolved once the whole text is read, events
// are bound to the root's published methods, and then every component hears Loaded.
#pragma once

#include <string>

class TComponent;

// Reads text into root, whose class must be the one the text names. Errors raise EReadError
// naming the form and the line.
void ReadComponentText(TComponent* root, const std::string& text, const std::string& formName);
// Reads the RCDATA resource of the executable with the given name.
void ReadComponentResource(TComponent* root, const std::string& resourceName);
// Identifiers that integer properties accept in place of a number (colours, character sets).
void RegisterIntegerConstant(const std::string& name, long long value);
