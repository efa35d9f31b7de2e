object frmSelectDir: TfrmSelectDir
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Выбор папки'
  ClientWidth = 185
  ClientHeight = 308
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  object lDir: TLabel
    Left = 8
    Top = 8
    Width = 3
    Height = 13
    ShowAccelChar = False
  end
  object cbDrive: TDriveComboBox
    Left = 8
    Top = 24
    Width = 169
    Height = 19
    DirList = lbDirectory
    TabOrder = 0
  end
  object lbDirectory: TDirectoryListBox
    Left = 8
    Top = 48
    Width = 169
    Height = 161
    DirLabel = lDir
    ItemHeight = 16
    TabOrder = 1
  end
  object cbIncludeSubDirs: TCheckBox
    Left = 8
    Top = 216
    Width = 169
    Height = 17
    Caption = 'Включить подпапки'
    TabOrder = 4
  end
  object bSelect: TButton
    Left = 8
    Top = 240
    Width = 169
    Height = 25
    Caption = 'Выбрать'
    Default = True
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ModalResult = 1
    ParentFont = False
    TabOrder = 2
  end
  object bCancel: TButton
    Left = 8
    Top = 272
    Width = 169
    Height = 25
    Cancel = True
    Caption = 'Отменить'
    ModalResult = 2
    TabOrder = 3
  end
end
