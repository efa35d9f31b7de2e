object MainForm: TMainForm
  Left = 0
  Top = 0
  Width = 794
  Height = 413
  ClientWidth = 786
  ClientHeight = 359
  Caption = 'Поиск файлов идентичных по содержимому'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = MainMenu
  Position = poScreenCenter
  ShowHint = True
  PixelsPerInch = 96
  OnShow = FormShow
  OnClose = FormClose
  OnResize = FormResize
  object lFolders: TLabel
    Left = 8
    Top = 8
    Width = 92
    Height = 13
    Caption = 'Папки для поиска'
  end
  object bAddFolder: TButton
    Left = 8
    Top = 162
    Width = 89
    Height = 25
    Action = aAddFolder
    Anchors = [akLeft, akBottom]
    Images = Images
    TabOrder = 1
  end
  object mmDirs: TMemo
    Left = 8
    Top = 24
    Width = 185
    Height = 131
    Anchors = [akLeft, akTop, akBottom]
    ScrollBars = ssVertical
    TabOrder = 0
    WordWrap = False
  end
  object lFileList: TLabel
    Left = 208
    Top = 8
    Width = 220
    Height = 13
    Caption = 'Список обнаруженных идентичных файлов:'
  end
  object btnCompare: TButton
    Left = 8
    Top = 298
    Width = 185
    Height = 25
    Action = aCompare
    Anchors = [akLeft, akBottom]
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    Images = Images
    ParentFont = False
    TabOrder = 3
  end
  object btnExit: TButton
    Left = 8
    Top = 330
    Width = 185
    Height = 25
    Action = aClose
    Anchors = [akLeft, akBottom]
    Images = Images
    ModalResult = 1
    TabOrder = 6
  end
  object pInfo: TPanel
    Left = 8
    Top = 202
    Width = 185
    Height = 81
    Anchors = [akLeft, akBottom]
    BevelOuter = bvLowered
    TabOrder = 4
    object lCopyright: TLabel
      Left = 3
      Top = 56
      Width = 181
      Height = 24
      Alignment = taCenter
      AutoSize = False
      Caption = 'Twinseek 1.0'#13#10'© 2026 Команда Twinseek'
    end
    object stInfo: TStaticText
      Left = 2
      Top = 2
      Width = 181
      Height = 47
      Alignment = taCenter
      AutoSize = False
      Caption = 'Идет обработка информации...'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clRed
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = []
      ParentFont = False
      ShowAccelChar = False
      TabOrder = 0
      Visible = False
    end
  end
  object FLB: TFileListBox
    Left = 224
    Top = 48
    Width = 145
    Height = 97
    ItemHeight = 13
    TabOrder = 5
    Visible = False
  end
  object sgFiles: TStringGrid
    Left = 200
    Top = 24
    Width = 577
    Height = 307
    Anchors = [akLeft, akTop, akRight, akBottom]
    ColCount = 2
    DefaultColWidth = 275
    DefaultRowHeight = 14
    FixedCols = 0
    FixedRows = 0
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goDrawFocusSelected, goColSizing, goEditing]
    RowCount = 18
    TabOrder = 7
    OnKeyDown = sgFilesKeyDown
  end
  object stKeyHint: TStaticText
    Left = 568
    Top = 338
    Width = 209
    Height = 17
    Alignment = taRightJustify
    Anchors = [akRight, akBottom]
    AutoSize = False
    Caption = '<DEL> - удалить выбранный файл'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clRed
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 8
  end
  object btnClear: TButton
    Left = 104
    Top = 162
    Width = 89
    Height = 25
    Action = aClearFolderList
    Anchors = [akLeft, akBottom]
    Images = Images
    TabOrder = 2
  end
  object stCount: TStaticText
    Left = 512
    Top = 8
    Width = 265
    Height = 13
    Alignment = taRightJustify
    Anchors = [akTop, akRight]
    AutoSize = False
    TabOrder = 9
  end
  object cbConfirmDelete: TCheckBox
    Left = 200
    Top = 338
    Width = 233
    Height = 17
    Anchors = [akLeft, akBottom]
    Caption = 'Подтверждать удаление файлов'
    Checked = True
    TabOrder = 10
  end
  object MainMenu: TMainMenu
    Images = Images
    object N1: TMenuItem
      Caption = 'Папки'
      object N2: TMenuItem
        Action = aAddFolder
      end
      object N3: TMenuItem
        Action = aClearFolderList
      end
    end
    object N4: TMenuItem
      Caption = 'Файлы'
      object N5: TMenuItem
        Action = aCompare
      end
      object N6: TMenuItem
        Action = aDeleteFile
      end
    end
    object Language1: TMenuItem
      Caption = 'Язык (Language)'
    end
    object N7: TMenuItem
      Action = aClose
    end
  end
  object ActionList: TActionList
    Images = Images
    object aAddFolder: TAction
      Caption = 'Добавить...'
      Hint = 'Добавить папку в список'
      ImageIndex = 0
      OnExecute = aAddFolderExecute
    end
    object aClearFolderList: TAction
      Caption = 'Очистить'
      ImageIndex = 1
      OnExecute = aClearFolderListExecute
    end
    object aCompare: TAction
      Caption = 'Запустить сравнение'
      ImageIndex = 2
      OnExecute = aCompareExecute
    end
    object aDeleteFile: TAction
      Caption = 'Удалить файл'
      ImageIndex = 3
      OnExecute = aDeleteFileExecute
    end
    object aClose: TAction
      Caption = 'Выйти из программы'
      ImageIndex = 4
      OnExecute = aCloseExecute
    end
  end
  object Images: TImageList
    ResourceName = 'ACTIONIMAGES'
  end
end
